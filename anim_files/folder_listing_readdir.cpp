#include <dirent.h>

#include <cerrno>
#include <memory>
#include <string_view>
#include <system_error>

#include "anim_files/folder_listing.hpp"
#include "text/from_utf8.hpp"

namespace QVH::detail {
namespace {

struct CloseFolder {
    void operator()(DIR* Folder) const { ::closedir(Folder); }
};

bool IsDotOrDotDot(const char* Name) {
    return Name[0] == '.' && (Name[1] == 0 || (Name[1] == '.' && Name[2] == 0));
}

std::error_code LastError() { return {errno, std::generic_category()}; }

}  // namespace

FolderListing ListFolderWithReaddir(const char* Folder) {
    const std::unique_ptr<DIR, CloseFolder> Entries(::opendir(Folder));
    if (!Entries) {
        return FailedListing(LastError());
    }
    FolderListing Listing;
    Listing.Names.reserve(1024);  // a few dozen names; more grow the buffer geometrically
    for (;;) {
        // readdir() tells its end from a failure only through errno.
        errno = 0;
        const dirent* const Entry = ::readdir(Entries.get());
        if (Entry == nullptr) {
            if (errno != 0) {
                return FailedListing(LastError());
            }
            return Listing;
        }
        if (IsDotOrDotDot(Entry->d_name)) {
            continue;
        }
        if (!Listing.Names.empty()) {
            Listing.Names += '|';
        }
        AppendFromUtf8(Listing.Names, std::string_view(Entry->d_name));
    }
}

}  // namespace QVH::detail
