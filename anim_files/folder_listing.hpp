#pragma once

#include <filesystem>
#include <system_error>

#include "File/Macros.hpp"

// How the folder listing enumerates a folder, one way for each platform. Both give the names of the
// folder's entries but "." and ".." in the order the system gives them, with "|" between names: on
// Windows each name is its UTF-16 name unchanged, elsewhere its bytes decoded as UTF-8 (ill-formed
// bytes as U+FFFD). A folder that cannot be opened, or whose enumeration fails part-way, gives no
// names but its status and the system's error. Both throw only std::bad_alloc, when memory runs
// out. Any thread.
namespace QVH::detail {

// Missing: the folder does not exist. Failed: it cannot be listed for any other reason (a denied
// permission, a file where the folder should be, a failing disk).
enum class FolderListingStatus { Listed, Missing, Failed };

struct FolderListing {
    FolderListingStatus Status = FolderListingStatus::Listed;
    // The names, "|" between them; empty unless Listed.
    RC::StringType Names;
    // The system's error behind Missing or Failed.
    std::error_code Error;
};

// The listing that the system's Error ended.
inline FolderListing FailedListing(std::error_code Error) {
    // Also what Windows' "path not found" compares equal to.
    const bool Missing = Error == std::errc::no_such_file_or_directory;
    return {Missing ? FolderListingStatus::Missing : FolderListingStatus::Failed, {}, Error};
}

#ifdef _WIN32
// Through std::filesystem::directory_iterator, whose names are the system's UTF-16.
FolderListing ListFolderWithDirectoryIterator(const std::filesystem::path& Folder);
#else
// Through readdir(), with no path object made for each entry.
FolderListing ListFolderWithReaddir(const char* Folder);
#endif

}  // namespace QVH::detail
