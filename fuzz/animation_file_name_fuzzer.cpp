// The name check: for any name the Blueprint side can send, either the read refuses it, or the
// path that the read opens lies inside the animation folder, seen both as POSIX resolves a path
// and as Windows does (both separators, trailing dots and spaces dropped from each component).
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

#include "Unreal/FString.hpp"
#include "anim_files/animation_file_name.hpp"
#include "engine/host_generations.hpp"
#include "fuzz/fuzz_support.hpp"
#include "text/unicode.hpp"

namespace {

namespace fs = std::filesystem;

const fs::path Folder(u8"../../Content/Paks/~Mods/AnimJSON");

// Lexically, with "/" the only separator: the folder itself or something below it.
bool InsideOnPosix(const fs::path& Path) {
    const fs::path Relative = Path.lexically_normal().lexically_relative(Folder.lexically_normal());
    return !Relative.empty() && *Relative.begin() != "..";
}

// Lexically, as Windows takes the same text: "\" separates too, and a component loses its
// trailing dots and spaces, so ". ." and "... " climb out like "..".
bool InsideOnWindows(std::string_view Text) {
    const std::string_view Prefix = "../../Content/Paks/~Mods/AnimJSON/";
    if (!Text.starts_with(Prefix)) {
        return false;
    }
    Text.remove_prefix(Prefix.size());
    if (!Text.empty() && (Text[0] == '/' || Text[0] == '\\')) {
        return false;  // a second separator would make "\\server" after the prefix's last one
    }
    long Depth = 0;
    while (true) {
        const std::size_t End = Text.find_first_of("/\\");
        std::string_view Component = Text.substr(0, End);
        const bool Dots = Component.starts_with("..");
        while (!Component.empty() && (Component.back() == '.' || Component.back() == ' ')) {
            Component.remove_suffix(1);
        }
        if (Component.empty() && Dots) {
            --Depth;
        } else if (!Component.empty()) {
            ++Depth;
        }
        if (Depth < 0) {
            return false;
        }
        if (End == std::string_view::npos) {
            return true;
        }
        Text.remove_prefix(End + 1);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    const RC::StringType Units = qvh_fuzz::UnitsOf(Data, Size);
    // The name as the read takes it from Payload: an engine string ends at its first NUL.
    const RC::Unreal::FString Payload(Units.c_str());
    const RC::StringViewType Name(QVH::CharsOf(Payload));
    // The read's two refusals, in its order.
    if (!QVH::IsWellFormedUtf16(Name) || !QVH::IsNameInsideAnimationFolder(Name)) {
        return 0;
    }
    fs::path Path;
    try {
        Path = fs::path(QVH::AnimationFilePathText(Name));
    } catch (const std::system_error&) {
        return 0;  // the system takes no such path, so the read opens nothing
    }
    const std::u8string Text = Path.u8string();
    const std::string_view Bytes(reinterpret_cast<const char*>(Text.data()), Text.size());
    if (!InsideOnPosix(Path) || !InsideOnWindows(Bytes)) {
        qvh_fuzz::PrintUnits("name", Name);
        qvh_fuzz::PrintBytes("path", Bytes);
        qvh_fuzz::Fail("an accepted name opens a path inside the animation folder");
    }
    return 0;
}
