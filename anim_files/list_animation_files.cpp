#include "anim_files/list_animation_files.hpp"

#include "anim_files/folder_listing.hpp"

namespace QVH {

RC::Unreal::FString ListAnimationFiles() {
#ifdef _WIN32
    const RC::StringType Listing =
        detail::ListFolderPortably(std::filesystem::path(u8"../../Content/Paks/~Mods/AnimJSON"));
#else
    const RC::StringType Listing =
        detail::ListFolderWithReaddir("../../Content/Paks/~Mods/AnimJSON");
#endif
    return RC::Unreal::FString(Listing.c_str());
}

}  // namespace QVH
