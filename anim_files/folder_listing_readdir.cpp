#include <cerrno>
#include <string_view>
#include <system_error>

#include "anim_files/folder_listing.hpp"
#include "anim_files/readdir_folder.hpp"
#include "text/from_utf8.hpp"

namespace QVH::detail {

FolderListing ListFolderWithReaddir(const char* Folder) {
    const ReaddirFolder Entries(::opendir(Folder));
    if (!Entries) {
        return FailedListing({errno, std::generic_category()});
    }
    FolderListing Listing;
    Listing.Names.reserve(1024);  // a few dozen names; more grow the buffer geometrically
    const std::error_code Error = ForEachEntry(*Entries, [&Listing](const char* Name) {
        if (!Listing.Names.empty()) {
            Listing.Names += '|';
        }
        AppendFromUtf8(Listing.Names, std::string_view(Name));
    });
    if (Error) {
        return FailedListing(Error);
    }
    return Listing;
}

}  // namespace QVH::detail
