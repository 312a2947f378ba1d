#pragma once

#include <cstddef>
#include <vector>

#include "File/Macros.hpp"

// The UTF-8 and UTF-16 decoding loops behind decode_text.hpp. They write into a caller's buffer,
// so one allocation serves a whole file. Ill-formed input becomes U+FFFD, one per maximal subpart
// (the Unicode standard's "substitution of maximal subparts"). Stateless; any thread.
namespace QVH::detail {

// Decodes Size bytes of UTF-8 at In into Out and returns the number of units written (never more
// than Size). With SkipLineBreaks, bytes 13 and 10 are dropped before decoding, wherever they
// stand, even inside a multi-byte sequence. Out must hold Size units.
std::size_t DecodeUtf8Units(const unsigned char* In, std::size_t Size, RC::CharType* Out,
                            bool SkipLineBreaks);

// The same, one sequence at a time with no vector path; what non-x86 builds use.
std::size_t DecodeUtf8UnitsScalar(const unsigned char* In, std::size_t Size, RC::CharType* Out,
                                  bool SkipLineBreaks);

// Every way of decoding UTF-8 that this build and processor offer (one sequence at a time, and
// each vector path that runs here), which must all give the same results. For tests.
using Utf8Decoder = std::size_t (*)(const unsigned char* In, std::size_t Size, RC::CharType* Out,
                                    bool SkipLineBreaks);
struct NamedUtf8Decoder {
    const char* Name;
    Utf8Decoder Decode;
};
std::vector<NamedUtf8Decoder> Utf8DecodersOfThisProcessor();

// Decodes Size bytes of UTF-16 (no byte-order mark) at In into Out, which must hold (Size + 1) / 2
// units, and returns the number of units written. Unpaired surrogates and an odd trailing byte
// become U+FFFD; the units 0x000D and 0x000A are dropped after decoding.
std::size_t DecodeUtf16Units(const unsigned char* In, std::size_t Size, bool BigEndian,
                             RC::CharType* Out);

}  // namespace QVH::detail
