#pragma once

#include <functional>
#include <string>
#include <system_error>

#include "File/Macros.hpp"

// The one place where the folder listing meets the operating system's folder calls, as InputFile
// is for files: one declaration, defined once for POSIX systems (readdir) and once for Windows
// (the filesystem library, whose names are the system's UTF-16).
namespace QVH::detail {

// Calls Visit with the name of each entry of the folder at Folder (UTF-8) but "." and "..", in the
// order the system gives them: on Windows the entry's UTF-16 name unchanged, elsewhere its bytes
// decoded as UTF-8 (ill-formed bytes as U+FFFD). The name lives until Visit returns. Gives the
// system's error when the folder cannot be opened or its enumeration fails part-way (the entries
// before it visited), none at its end. Throws std::bad_alloc when memory runs out, and what Visit
// throws. Any thread.
std::error_code ForEachFolderEntry(const std::u8string& Folder,
                                   const std::function<void(RC::StringViewType Name)>& Visit);

// Whether a listing's Error says the folder does not exist, rather than that it cannot be listed
// (a denied permission, a file where the folder should be, a failing disk).
inline bool IsMissingFolder(std::error_code Error) {
    // Also what Windows' "path not found" compares equal to.
    return Error == std::errc::no_such_file_or_directory;
}

}  // namespace QVH::detail
