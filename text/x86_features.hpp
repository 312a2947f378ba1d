#pragma once

// What the processor that runs the mod offers beyond SSE2, asked once: a game runs on whatever
// processor the player has, so code for newer instruction sets is chosen at run time. Any thread.
namespace QVH::detail {

// AVX2 with BMI1, BMI2 and POPCNT, and an operating system that keeps the 256-bit registers: what
// the UTF-8 decoder's AVX2 loop is built for. Asked on the first call only.
bool HasAvx2() noexcept;

}  // namespace QVH::detail
