#include <cerrno>
#include <string>
#include <string_view>
#include <system_error>

#include "anim_files/folder_listing.hpp"
#include "anim_files/readdir_folder.hpp"
#include "text/from_utf8.hpp"

namespace QVH::detail {

std::error_code ForEachFolderEntry(const std::u8string& Folder,
                                   const std::function<void(RC::StringViewType Name)>& Visit) {
    const std::string Path(Folder.begin(), Folder.end());
    const ReaddirFolder Entries(::opendir(Path.c_str()));
    if (!Entries) {
        return {errno, std::generic_category()};
    }
    // One buffer for every name, so no entry costs an allocation of its own.
    RC::StringType Name;
    return ForEachEntry(*Entries, [&Name, &Visit](const char* Bytes) {
        Name.clear();
        AppendFromUtf8(Name, std::string_view(Bytes));
        Visit(Name);
    });
}

}  // namespace QVH::detail
