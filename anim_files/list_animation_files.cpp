#include "anim_files/list_animation_files.hpp"

#include <string>

#include "anim_files/animation_folder.hpp"
#include "anim_files/folder_listing.hpp"

namespace QVH {

RC::Unreal::FString ListAnimationFiles() {
#ifdef _WIN32
    const RC::StringType Listing =
        detail::ListFolderPortably(std::filesystem::path(AnimationFolder));
#else
    const std::string Folder(AnimationFolder.begin(), AnimationFolder.end());
    const RC::StringType Listing = detail::ListFolderWithReaddir(Folder.c_str());
#endif
    return RC::Unreal::FString(Listing.c_str());
}

}  // namespace QVH
