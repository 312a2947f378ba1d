#include "anim_files/list_animation_files.hpp"

#include <string>

#include "anim_files/animation_folder.hpp"
#include "anim_files/folder_listing.hpp"
#include "anim_files/input_file.hpp"
#include "log/log_line.hpp"

namespace QVH {
namespace {

detail::FolderListing ListAnimationFolder() {
#ifdef _WIN32
    return detail::ListFolderWithDirectoryIterator(std::filesystem::path(AnimationFolder));
#else
    const std::string Folder(AnimationFolder.begin(), AnimationFolder.end());
    return detail::ListFolderWithReaddir(Folder.c_str());
#endif
}

void LogFailure(const detail::FolderListing& Listing) {
    const RC::StringType Folder(AnimationFolder.begin(), AnimationFolder.end());
    if (Listing.Status == detail::FolderListingStatus::Missing) {
        LogLine({STR("Animation folder not found: "), Folder});
        return;
    }
    // The system's reason, in the words a failed read gives it, tells a modder what to fix.
    const RC::StringType Reason = detail::InputFile::ErrorText(Listing.Error);
    LogLine({STR("Could not list the animation folder: "), Folder, STR(" ("), Reason, STR(")")});
}

}  // namespace

std::optional<RC::Unreal::FString> ListAnimationFiles() {
    const detail::FolderListing Listing = ListAnimationFolder();
    if (Listing.Status != detail::FolderListingStatus::Listed) {
        LogFailure(Listing);
        return std::nullopt;
    }
    return std::optional<RC::Unreal::FString>(std::in_place, Listing.Names.c_str());
}

}  // namespace QVH
