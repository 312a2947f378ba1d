#include "anim_files/list_animation_files.hpp"

#include <filesystem>
#include <string>

namespace QVH {

// First cut: names are taken as bytes; the decoder comes with the file service.
RC::Unreal::FString ListAnimationFiles() {
    std::string Listing;
    for (const auto& Entry :
         std::filesystem::directory_iterator(std::string("../../Content/Paks/~Mods/AnimJSON"))) {
        if (!Listing.empty()) {
            Listing += '|';
        }
        Listing += Entry.path().filename().string();
    }
    RC::StringType Wide(Listing.begin(), Listing.end());
    return RC::Unreal::FString(Wide.c_str());
}

}  // namespace QVH
