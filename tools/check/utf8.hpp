#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "File/Macros.hpp"

namespace QVH::HostTool {

// Engine text of UTF-8 Bytes, into Out. False for ill-formed UTF-8: text typed for the Blueprint
// must arrive exactly as typed, so nothing is patched.
bool DecodeUtf8(std::string_view Bytes, RC::StringType& Out);

// One character of UTF-8, as the mod decodes it.
struct Utf8Step {
    char32_t Code = 0;       // U+FFFD when not WellFormed
    std::size_t Length = 0;  // bytes taken, line breaks passed over included
    bool WellFormed = true;
};

// The character whose first byte is Bytes[At] (At < Bytes.size()). An ill-formed sequence gives
// U+FFFD for its longest prefix that could still have begun a well-formed one (at least one
// byte), as the mod's decoder does. With SkipLineBreaks, CR and LF between the bytes of a
// sequence are passed over, as the mod drops them from a file before decoding.
Utf8Step NextUtf8(std::string_view Bytes, std::size_t At, bool SkipLineBreaks);

// Code as UTF-8, appended to Out.
void AppendUtf8(std::string& Out, char32_t Code);

// Bytes with each ill-formed part replaced by U+FFFD: text that may hold cut-off characters,
// made safe to print.
std::string ValidUtf8(std::string_view Bytes);

}  // namespace QVH::HostTool
