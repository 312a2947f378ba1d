#pragma once

namespace QVH::detail {

// Whether the processor, and the system with it, runs AVX2 code. Asked once; false off x86-64.
// Any thread.
bool ProcessorHasAvx2() noexcept;

}  // namespace QVH::detail
