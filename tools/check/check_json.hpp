#pragma once

#include <string_view>

#include "tools/check/check_finding.hpp"
#include "tools/check/stored_text.hpp"

namespace QVH::Check {

// Warns at each JSON string that a line break runs through in the stored file (the mod removes it,
// so the string changes), and at each line break between two words or numbers (removed, it joins
// them). Looks only at the text before a NUL, which is all the Blueprint gets.
void CheckJsonLineBreaks(const StoredText& Stored, EntryFindings& Out);

// Whether Text, the UTF-8 of what the Blueprint gets, is JSON; the first syntax error is placed
// in the stored file. EndsAtNul: the text was cut short at a NUL, which an error at its end says.
void CheckJsonSyntax(std::string_view Text, const StoredText& Stored, bool EndsAtNul,
                     EntryFindings& Out);

}  // namespace QVH::Check
