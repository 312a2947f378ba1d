#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "File/Macros.hpp"

// UTF-8 to engine text (UTF-16). Ill-formed input becomes U+FFFD, one per maximal subpart (the
// Unicode standard's "substitution of maximal subparts"), and nothing else is lost. Stateless;
// any thread, any number at once.
namespace QVH {

// Engine text of UTF-8 Bytes, as found in file names and error messages: the way back from
// ToUtf8.
RC::StringType FromUtf8(std::string_view Bytes);

// Appends the decoded UTF-8 Bytes to Text, growing it geometrically.
void AppendFromUtf8(RC::StringType& Text, std::string_view Bytes);

namespace detail {

// Decodes Size bytes of UTF-8 at In into Out and returns the number of units written (never more
// than Size), with the fastest loop the build has that this processor can run (chosen once). With
// SkipLineBreaks, bytes 13 and 10 are dropped before decoding, wherever they stand, even inside a
// multi-byte sequence. Out must hold Size units: the vector loop writes whole chunks.
std::size_t DecodeUtf8Units(const unsigned char* In, std::size_t Size, RC::CharType* Out,
                            bool SkipLineBreaks);

// The same, one sequence at a time with no vector loop; what non-x86 builds use.
std::size_t DecodeUtf8UnitsScalar(const unsigned char* In, std::size_t Size, RC::CharType* Out,
                                  bool SkipLineBreaks);

// Every way of decoding UTF-8 that this build offers and this processor can run (one sequence at
// a time, and the vector loops where there are any), which must all give the same results. For
// tests.
using Utf8Decoder = std::size_t (*)(const unsigned char* In, std::size_t Size, RC::CharType* Out,
                                    bool SkipLineBreaks);
struct NamedUtf8Decoder {
    const char* Name;
    Utf8Decoder Decode;
};
std::vector<NamedUtf8Decoder> Utf8DecodersOfThisBuild();

}  // namespace detail
}  // namespace QVH
