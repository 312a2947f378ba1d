#pragma once

#include "text/utf8_sequence.hpp"

// The vector loop of the UTF-8 decoder, for x86-64: ASCII text 16 bytes at a time (SSE2, which
// every x86-64 processor has), with the sequences between ASCII stretches decoded one by one in
// passing. It runs from At until fewer than 16 bytes are left before End and returns where it
// stopped. The output must have room for one unit per input byte: whole chunks are written, and
// only what is kept counts. Stateless; any thread.
#if defined(__SSE2__) || defined(_M_X64)
#define QVH_DECODE_WITH_SSE2 1
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

}  // namespace QVH::detail
