#include "anim_files/read_animation_file.hpp"

#include <string>

#include "anim_files/animation_file_name.hpp"
#include "anim_files/input_file.hpp"
#include "anim_files/read_file_text.hpp"
#include "anim_files/read_scratch.hpp"
#include "log/log_line.hpp"

namespace QVH {
namespace {

RC::StringViewType FailureText(detail::FileTextStatus Status) {
    using detail::FileTextStatus;
    switch (Status) {
        case FileTextStatus::Missing:
            return STR("Animation file not found: ");
        case FileTextStatus::Folder:
            return STR("Animation file is a folder: ");
        case FileTextStatus::Device:
            return STR("Animation file name names a device, not a file: ");
        case FileTextStatus::TooLarge:
            return STR("Animation file too large for an engine string: ");
        case FileTextStatus::ReadFailed:
            return STR("Could not read animation file: ");
        case FileTextStatus::OpenFailed:
        case FileTextStatus::Read:
            break;
    }
    return STR("Could not open animation file: ");
}

void LogFailure(const detail::FileText& Text, RC::StringViewType Name) {
    if (!Text.Error) {
        LogLine({FailureText(Text.Status), Name});
        return;
    }
    // The system's reason tells a modder what to fix: a permission, a lock, a broken disk.
    const RC::StringType Reason = detail::InputFile::ErrorText(Text.Error);
    LogLine({FailureText(Text.Status), Name, STR(" ("), Reason, STR(")")});
}

}  // namespace

RC::Unreal::FString ReadAnimationFile(RC::Unreal::FString Name) {
    const RC::StringViewType NameText(Name.GetCharArray());
    if (!IsNameInsideAnimationFolder(NameText)) {
        LogLine({STR("Refused a file name that leaves the animation folder: "), NameText});
        return {};
    }
    const std::u8string Path = detail::AnimationFilePathText(NameText);

    // The text is decoded into the reads' scratch, so only the engine string is fresh memory.
    detail::ScratchLease Lease;
    const detail::FileText Text = detail::ReadFileText(Path, Lease.Scratch());
    if (Text.Status != detail::FileTextStatus::Read) {
        LogFailure(Text, NameText);
        return {};
    }
    return RC::Unreal::FString(Text.Units);
}

}  // namespace QVH
