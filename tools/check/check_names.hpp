#pragma once

// The names of the animation folder's entries, as stored and as the game sees them.

#include <filesystem>
#include <string>

#include "File/Macros.hpp"
#include "tools/check/check_finding.hpp"

namespace QVH::Check {

// A name as the system stores it: bytes on POSIX systems, UTF-16 units on Windows.
using NativeName = std::filesystem::path::string_type;

// The name as the mod's listing shows it, and as a read names it: on POSIX systems the bytes
// decoded as UTF-8, ill-formed parts as U+FFFD; on Windows the units as they are.
RC::StringType ListedName(const NativeName& Name);

// Checks one entry's own name: that it is UTF-8, that the listing does not split it (only where
// Listed: the listing shows the top level alone), and that Windows can hold it as a file name.
void CheckName(const NativeName& Name, bool Listed, EntryFindings& Out);

}  // namespace QVH::Check
