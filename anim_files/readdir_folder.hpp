#pragma once

// A folder read with POSIX's readdir(), for the mod's listing and the check's walk: the same
// loop for both, so they see the same entries and tell an end from a failure the same way.
// POSIX systems only.

#include <dirent.h>

#include <cerrno>
#include <memory>
#include <system_error>

namespace QVH {

struct CloseFolder {
    void operator()(DIR* Folder) const { ::closedir(Folder); }
};

// An open folder, closed with it.
using ReaddirFolder = std::unique_ptr<DIR, CloseFolder>;

// Calls Visit(const char* Name) for each entry of Folder but "." and "..", in the order the system
// gives them. Gives the system's error when the enumeration fails part-way (the entries before it
// visited), none at its end. What Visit throws passes through. Any thread, one at a time per
// folder.
template <class Visitor>
std::error_code ForEachEntry(DIR& Folder, Visitor&& Visit) {
    for (;;) {
        // readdir() tells its end from a failure only through errno.
        errno = 0;
        const dirent* const Entry = ::readdir(&Folder);
        if (Entry == nullptr) {
            const int Failure = errno;
            return Failure == 0 ? std::error_code()
                                : std::error_code(Failure, std::generic_category());
        }
        const char* const Name = Entry->d_name;
        if (Name[0] == '.' && (Name[1] == 0 || (Name[1] == '.' && Name[2] == 0))) {
            continue;
        }
        Visit(Name);
    }
}

}  // namespace QVH
