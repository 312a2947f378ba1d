#include <filesystem>
#include <string_view>
#include <system_error>

#include "anim_files/folder_listing.hpp"

namespace QVH::detail {
namespace {

using NativeChar = std::filesystem::path::value_type;
using NativeView = std::basic_string_view<NativeChar>;

bool IsSeparator(NativeChar Unit) {
    return Unit == '/' || Unit == std::filesystem::path::preferred_separator;
}

// The entry's own name: what follows the last separator of its path. Cut from the path as it is,
// so no entry costs a new path.
NativeView EntryName(const std::filesystem::path& Path) {
    const NativeView Native(Path.native());
    std::size_t Start = Native.size();
    while (Start > 0 && !IsSeparator(Native[Start - 1])) {
        --Start;
    }
    return Native.substr(Start);
}

}  // namespace

std::error_code ForEachFolderEntry(const std::u8string& Folder,
                                   const std::function<void(RC::StringViewType Name)>& Visit) {
    std::error_code Error;
    std::filesystem::directory_iterator Entry(std::filesystem::path(Folder),
                                              std::filesystem::directory_options::none, Error);
    for (const std::filesystem::directory_iterator End; !Error && Entry != End;) {
        // The name is the system's own UTF-16: no code page gets a say.
        Visit(EntryName(Entry->path()));
        Entry.increment(Error);
    }
    return Error;
}

}  // namespace QVH::detail
