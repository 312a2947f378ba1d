#include "anim_files/read_animation_file.hpp"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>

#include "anim_files/to_utf8.hpp"

namespace QVH {

// First cut: ASCII content only; the decoder comes with the file service.
RC::Unreal::FString ReadAnimationFile(RC::Unreal::FString Name) {
    const std::string Path = "../../Content/Paks/~Mods/AnimJSON/" + ToUtf8(Name.GetCharArray());
    std::ifstream In(Path, std::ios::binary);
    std::string Content{std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>()};
    std::erase(Content, '\r');
    std::erase(Content, '\n');
    RC::StringType Wide(Content.begin(), Content.end());
    return RC::Unreal::FString(Wide.c_str());
}

}  // namespace QVH
