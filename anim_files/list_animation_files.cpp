#include "anim_files/list_animation_files.hpp"

#include <string>

#include "anim_files/animation_folder.hpp"
#include "anim_files/folder_listing.hpp"
#include "anim_files/listing_separator.hpp"
#include "anim_files/system_error_text.hpp"
#include "log/log_line.hpp"

namespace QVH {
namespace {

void LogFailure(std::error_code Error) {
    const RC::StringType Folder(AnimationFolder.begin(), AnimationFolder.end());
    if (detail::IsMissingFolder(Error)) {
        LogLine({STR("Animation folder not found: "), Folder});
        return;
    }
    // The system's reason, in the words a failed read gives it, tells a modder what to fix.
    const RC::StringType Reason = SystemErrorText(Error);
    LogLine({STR("Could not list the animation folder: "), Folder, STR(" ("), Reason, STR(")")});
}

}  // namespace

std::optional<RC::Unreal::FString> ListAnimationFiles() {
    RC::StringType Listing;
    Listing.reserve(1024);  // a few dozen names; more grow the buffer geometrically
    const std::error_code Error = detail::ForEachFolderEntry(
        std::u8string(AnimationFolder),
        [&Listing](RC::StringViewType Name) { AppendToListing(Listing, Name); });
    if (Error) {
        LogFailure(Error);
        return std::nullopt;
    }
    return std::optional<RC::Unreal::FString>(std::in_place, Listing.c_str());
}

}  // namespace QVH
