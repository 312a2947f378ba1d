#pragma once

#include <string_view>

#include "tools/check/check_finding.hpp"
#include "tools/check/disk_file.hpp"

namespace QVH::Check {

// Warns at each JSON string that a line break runs through in the stored file (the mod removes it,
// so the string changes), and at each line break between two words or numbers (removed, it joins
// them). Looks only at the text before a NUL, which is all the Blueprint gets.
void CheckJsonLineBreaks(const DiskFile& Stored, EntryFindings& Out);

// Whether Text, the UTF-8 of what the Blueprint gets, is JSON; the first syntax error is placed
// in the stored file, and said to be at the NUL where the text was cut short at one.
void CheckJsonSyntax(std::string_view Text, const DiskFile& Stored, EntryFindings& Out);

}  // namespace QVH::Check
