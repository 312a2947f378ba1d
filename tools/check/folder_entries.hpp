#pragma once

// One folder's entries as stored, for the walk: the system's own calls, one folder at a time.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "tools/check/check_finding.hpp"
#include "tools/check/check_names.hpp"

namespace QVH::Check {

// What tells two folders apart, however they are reached: the device and node on POSIX
// systems, the full path with links resolved on Windows.
#if defined(_WIN32)
using FolderId = std::wstring;
#else
using FolderId = std::pair<std::uint64_t, std::uint64_t>;
#endif

struct FolderEntry {
    NativeName Name;
    std::string Shown;                  // EscapedNameUtf8(Name)
    EntryType Type = EntryType::Other;  // what a link leads to; Other for a dangling one
    bool Link = false;                  // a symbolic link (on Windows a junction too)
    std::optional<FolderId> Id;         // for a folder (through a link), unless it cannot be told
    std::string IdError;                // why not
};

// Lists folders for one walk, which goes down and up one folder at a time.
class FolderLister {
public:
    FolderLister() = default;
    ~FolderLister();
    FolderLister(const FolderLister&) = delete;
    FolderLister& operator=(const FolderLister&) = delete;

    // Appends the entries of the folder at Path (but "." and "..") to Out in the system's order.
    // Depth: how many folders below the walk's first one Path lies, 0 for that one. The walk goes
    // down one folder at a time, so at each lesser depth Path passes through the folder listed
    // there last. False, with the system's reason in Error, when it cannot be listed.
    bool List(const NativeName& Path, std::size_t Depth, std::vector<FolderEntry>& Out,
              std::string& Error);

private:
#if !defined(_WIN32)
    // Folders kept open on the way down, each with its depth and the length of its path, not the
    // path itself: a folder is opened from the deepest of them on its way, so no lookup walks a
    // long path, and the memory does not grow with depth times the names' length.
    struct Mark {
        std::size_t Depth;
        std::size_t PathSize;
        int Descriptor;
    };
    std::vector<Mark> Marks;
#endif
};

// The identity of the folder at Path, if it can be told.
std::optional<FolderId> IdOfFolder(const NativeName& Path);

}  // namespace QVH::Check
