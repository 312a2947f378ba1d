#include "anim_files/read_animation_file.hpp"

#include <string>
#include <string_view>

#include "anim_files/animation_file_name.hpp"
#include "anim_files/decode_text.hpp"
#include "anim_files/file_text.hpp"
#include "anim_files/read_scratch.hpp"
#include "mod/log_message.hpp"

namespace QVH {
namespace {

void LogAboutFile(RC::StringViewType Text, RC::StringViewType Name) {
    RC::StringType Line(Text);
    Line += Name;
    LogMessage(Line);
}

RC::StringViewType FailureText(detail::FileTextStatus Status) {
    using detail::FileTextStatus;
    switch (Status) {
        case FileTextStatus::Missing:
            return STR("QVH_MotionArchive : Animation file not found: ");
        case FileTextStatus::Folder:
            return STR("QVH_MotionArchive : Animation file is a folder: ");
        case FileTextStatus::Device:
            return STR("QVH_MotionArchive : Animation file name names a device, not a file: ");
        case FileTextStatus::TooLarge:
            return STR("QVH_MotionArchive : Animation file too large for an engine string: ");
        case FileTextStatus::ReadFailed:
            return STR("QVH_MotionArchive : Could not read animation file: ");
        case FileTextStatus::OpenFailed:
        case FileTextStatus::Read:
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
    const std::u8string Path = detail::AnimationFilePathText(NameText);

    // The text is decoded into the reads' scratch, so only the engine string is fresh memory.
    detail::ScratchLease Lease;
    const detail::FileText Text = detail::ReadFileText(Path, MaxTextFileBytes, Lease.Scratch());
    if (Text.Status != detail::FileTextStatus::Read) {
        LogAboutFile(FailureText(Text.Status), NameText);
        return {};
    }
    return RC::Unreal::FString(Text.Units);
}

}  // namespace QVH
