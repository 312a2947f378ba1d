#pragma once

#include <cstddef>

namespace QVH::detail {

// Where the first zero byte of the Size bytes at Bytes is, or Size when there is none. Where the
// processor has AVX2, 256 bytes are looked at a time, for fewer instructions per byte than
// memchr's; elsewhere it is memchr. Stateless; any thread.
std::size_t FindZeroByte(const char* Bytes, std::size_t Size) noexcept;

}  // namespace QVH::detail
