#include "anim_files/animation_file_name.hpp"

#include <string>
#include <string_view>

#include "anim_files/animation_folder.hpp"
#include "text/from_utf8.hpp"
#include "text/to_utf8.hpp"

namespace QVH {
namespace {

bool IsSeparator(RC::CharType Unit) { return Unit == '/' || Unit == '\\'; }

bool IsAsciiLetter(RC::CharType Unit) {
    return (Unit >= 'A' && Unit <= 'Z') || (Unit >= 'a' && Unit <= 'z');
}

// "..", and also "...", ".. " and the like: Windows drops trailing dots and spaces from path
// components, so those can mean ".." there.
bool ClimbsOut(RC::StringViewType Component) {
    if (Component.size() < 2 || Component[0] != '.' || Component[1] != '.') {
        return false;
    }
    return Component.find_first_not_of(STR(". "), 2) == RC::StringViewType::npos;
}

}  // namespace

bool IsNameInsideAnimationFolder(RC::StringViewType Name) {
    if (!Name.empty() && IsSeparator(Name[0])) {
        return false;  // "/x", "\x", "\\server\share", "//server/share"
    }
    if (Name.size() >= 2 && IsAsciiLetter(Name[0]) && Name[1] == ':') {
        return false;  // "C:\x", "C:/x", and the drive-relative "C:x"
    }
    std::size_t Start = 0;
    while (Start <= Name.size()) {
        std::size_t Stop = Start;
        while (Stop < Name.size() && !IsSeparator(Name[Stop])) {
            ++Stop;
        }
        if (ClimbsOut(Name.substr(Start, Stop - Start))) {
            return false;
        }
        Start = Stop + 1;
    }
    return true;
}

std::u8string AnimationFilePathText(RC::StringViewType Name) {
    const std::string Utf8Name = ToUtf8(Name);
    std::u8string Path;
    Path.reserve(AnimationFolder.size() + 1 + Utf8Name.size());
    Path.append(AnimationFolder);
    Path.push_back(u8'/');
    Path.append(reinterpret_cast<const char8_t*>(Utf8Name.data()), Utf8Name.size());
    return Path;
}

RC::StringType AnimationFileNameIn(std::u8string_view Path) {
    Path.remove_prefix(AnimationFolder.size() + 1);
    return FromUtf8({reinterpret_cast<const char*>(Path.data()), Path.size()});
}

}  // namespace QVH
