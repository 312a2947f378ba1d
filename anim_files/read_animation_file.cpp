#include "anim_files/read_animation_file.hpp"

#include <filesystem>
#include <optional>
#include <string_view>

#include "anim_files/animation_file_name.hpp"
#include "anim_files/decode_text.hpp"
#include "anim_files/whole_file.hpp"
#include "mod/log_message.hpp"

namespace QVH {
namespace {

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

}  // namespace

RC::Unreal::FString ReadAnimationFile(RC::Unreal::FString Name) {
    const RC::StringViewType NameText(Name.GetCharArray());
    if (!IsNameInsideAnimationFolder(NameText)) {
        LogAboutFile(STR("QVH_MotionArchive : Refused a file name that leaves the animation "
                         "folder: "),
                     NameText);
        return {};
    }
    const std::optional<std::filesystem::path> Path = detail::AnimationFilePath(NameText);
    if (!Path) {
        LogAboutFile(FailureText(detail::WholeFileStatus::OpenFailed), NameText);
        return {};
    }

    DecodedText Text;
    {
        const detail::WholeFile File = detail::ReadWholeFile(*Path, MaxTextFileBytes);
        if (File.Status != detail::WholeFileStatus::Read) {
            LogAboutFile(FailureText(File.Status), NameText);
            return {};
        }
        Text = DecodeFileText(File.Content());
    }  // The bytes go before the engine string is made, so at most two copies live at once.
    return RC::Unreal::FString(Text.c_str());
}

}  // namespace QVH
