#pragma once

#include <filesystem>

#include "File/Macros.hpp"

// The two ways the folder listing can enumerate a folder; ListAnimationFiles uses the one for its
// platform. Both give the names of the folder's entries but "." and ".." in the order the system
// gives them, with "|" between names: on Windows each name is its UTF-16 name unchanged,
// elsewhere its bytes decoded as UTF-8 (ill-formed bytes as U+FFFD). Both throw
// std::filesystem::filesystem_error ("directory_iterator::directory_iterator" with the folder's
// path) when the folder cannot be opened, ("directory_iterator::operator++") when the enumeration
// fails part-way, and std::bad_alloc when memory runs out. Any thread.
namespace QVH::detail {

// Through std::filesystem::directory_iterator: what Windows uses.
RC::StringType ListFolderPortably(const std::filesystem::path& Folder);

#ifndef _WIN32
// Through readdir(), with no path object made for each entry.
RC::StringType ListFolderWithReaddir(const char* Folder);
#endif

}  // namespace QVH::detail
