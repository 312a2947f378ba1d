#pragma once

#include "text/utf8_sequence.hpp"

// The vector loops of the UTF-8 decoder, for x86-64. The SSE2 loop, which every x86-64 processor
// can run, takes ASCII text 16 bytes at a time and decodes the sequences between ASCII stretches
// one by one in passing. The AVX2 loop, for processors that HasAvx2, decodes 64 bytes at a time
// whatever characters they hold, and leaves only windows with ill-formed input, or a line break
// inside a sequence, to the sequence decoder. Each runs from At, which starts a character, until
// fewer than a chunk (16 bytes; for AVX2, 64 and the one it reads after them) are left before End,
// and returns where it stopped. The output
// must have room for one unit per input byte: whole chunks are written, and only what is kept
// counts. Stateless; any thread.
#if defined(__SSE2__) || defined(_M_X64)
#define QVH_DECODE_WITH_SSE2 1
#if defined(__GNUC__) || defined(__clang__)
#define QVH_DECODE_WITH_AVX2 1
// Code for AVX2 is compiled for it function by function, so the rest of the build runs anywhere.
#define QVH_TARGET_AVX2 __attribute__((target("avx2,bmi,bmi2,popcnt")))
#elif defined(_MSC_VER)
#define QVH_DECODE_WITH_AVX2 1
#define QVH_TARGET_AVX2
#endif
#endif

namespace QVH::detail {

// As signed bytes, those from 0x80 up are negative, and so stay when 14 is taken off with
// saturation; so do the control bytes up to CR (0x0D), LF among them. One subtraction thus marks
// (with the sign bit) each byte that is not ASCII and each line break. Only a chunk with a mark is
// looked at closely, and one marked only for tabs and the like is taken as it is.
inline constexpr char MarkBelow = 14;

#ifdef QVH_DECODE_WITH_SSE2
template <bool SkipLineBreaks>
Utf8Cursor DecodeChunksSse2(Utf8Cursor At, const unsigned char* End);
#endif

#ifdef QVH_DECODE_WITH_AVX2
// Only where HasAvx2. Start is the input's first byte: the loop reads the bytes before a window,
// and one after it.
template <bool SkipLineBreaks>
QVH_TARGET_AVX2 Utf8Cursor DecodeChunksAvx2(Utf8Cursor At, const unsigned char* Start,
                                            const unsigned char* End);
#endif

}  // namespace QVH::detail
