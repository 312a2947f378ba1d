#include "anim_files/read_animation_file.hpp"

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

#include "anim_files/animation_file_name.hpp"
#include "anim_files/decode_text.hpp"
#include "anim_files/to_utf8.hpp"
#include "anim_files/whole_file.hpp"
#include "mod/log_message.hpp"

namespace QVH {
namespace {

constexpr std::u8string_view FolderPrefix = u8"../../Content/Paks/~Mods/AnimJSON/";

void LogAboutFile(RC::StringViewType Text, RC::StringViewType Name) {
    RC::StringType Line(Text);
    Line += Name;
    LogMessage(Line);
}

RC::StringViewType FailureText(detail::WholeFileStatus Status) {
    using detail::WholeFileStatus;
    switch (Status) {
        case WholeFileStatus::Missing:
            return STR("QVH_MotionArchive : Animation file not found: ");
        case WholeFileStatus::Folder:
            return STR("QVH_MotionArchive : Animation file is a folder: ");
        case WholeFileStatus::Device:
            return STR("QVH_MotionArchive : Animation file name names a device, not a file: ");
        case WholeFileStatus::TooLarge:
            return STR("QVH_MotionArchive : Animation file too large for an engine string: ");
        case WholeFileStatus::ReadFailed:
            return STR("QVH_MotionArchive : Could not read animation file: ");
        case WholeFileStatus::OpenFailed:
        case WholeFileStatus::Read:
            break;
    }
    return STR("QVH_MotionArchive : Could not open animation file: ");
}

// The path as UTF-8 text, so the name reaches the file of that name on every system. A Windows
// runtime may refuse ill-formed UTF-8 (from a name with an unpaired surrogate): then no path.
bool MakePath(std::u8string_view Text, std::filesystem::path& Path) {
    try {
        Path = std::filesystem::path(Text);
        return true;
    } catch (const std::system_error&) {
        return false;
    }
}

}  // namespace

RC::Unreal::FString ReadAnimationFile(RC::Unreal::FString Name) {
    const RC::StringViewType NameText(Name.GetCharArray());
    if (!IsNameInsideAnimationFolder(NameText)) {
        LogAboutFile(STR("QVH_MotionArchive : Refused a file name that leaves the animation "
                         "folder: "),
                     NameText);
        return {};
    }
    const std::string Utf8Name = ToUtf8(NameText);
    std::u8string PathText(FolderPrefix);
    PathText.append(reinterpret_cast<const char8_t*>(Utf8Name.data()), Utf8Name.size());
    std::filesystem::path Path;
    if (!MakePath(PathText, Path)) {
        LogAboutFile(FailureText(detail::WholeFileStatus::OpenFailed), NameText);
        return {};
    }

    DecodedText Text;
    {
        const detail::WholeFile File = detail::ReadWholeFile(Path, MaxTextFileBytes);
        if (File.Status != detail::WholeFileStatus::Read) {
            LogAboutFile(FailureText(File.Status), NameText);
            return {};
        }
        Text = DecodeFileText(File.Content());
    }  // The bytes go before the engine string is made, so at most two copies live at once.
    return RC::Unreal::FString(Text.c_str());
}

}  // namespace QVH
