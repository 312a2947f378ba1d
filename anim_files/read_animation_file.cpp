#include "anim_files/read_animation_file.hpp"

#include <string>

#include "anim_files/animation_file_name.hpp"
#include "anim_files/input_file.hpp"
#include "anim_files/read_file_text.hpp"
#include "anim_files/read_scratch.hpp"
#include "engine/host_generations.hpp"
#include "log/escaped_name.hpp"
#include "log/log_line.hpp"
#include "text/unicode.hpp"

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
        case FileTextStatus::Refused:
        case FileTextStatus::Read:
            break;
    }
    return STR("Could not open animation file: ");
}

void LogFailure(const detail::FileText& Text, RC::StringViewType Name) {
    const RC::StringType Shown = EscapedName(Name);
    if (!Text.Error) {
        LogLine({FailureText(Text.Status), Shown});
        return;
    }
    // The system's reason tells a modder what to fix: a permission, a lock, a broken disk.
    const RC::StringType Reason = detail::InputFile::ErrorText(Text.Error);
    LogLine({FailureText(Text.Status), Shown, STR(" ("), Reason, STR(")")});
}

}  // namespace

AnimationFileText::AnimationFileText(RC::StringViewType Name) {
    // Half a surrogate pair has no UTF-8 form: made into bytes anyway, two names could reach one
    // file, and the systems would each open something else for it.
    if (!IsWellFormedUtf16(Name)) {
        LogLine({STR("Refused a file name that is not valid text: "), EscapedName(Name)});
        Text.Status = detail::FileTextStatus::Refused;
        return;
    }
    if (!IsNameInsideAnimationFolder(Name)) {
        LogLine({STR("Refused a file name that leaves the animation folder: "), EscapedName(Name)});
        Text.Status = detail::FileTextStatus::Refused;
        return;
    }
    // The text is decoded into the reads' scratch, so only the engine string is fresh memory.
    Text = detail::ReadFileText(detail::AnimationFilePathText(Name), Lease.Scratch());
    if (Text.Status != detail::FileTextStatus::Read) {
        LogFailure(Text, Name);
    }
}

const RC::CharType* AnimationFileText::c_str() const noexcept {
    static constexpr RC::CharType Empty[] = {0};
    return Text.Status == detail::FileTextStatus::Read && Text.Units != nullptr ? Text.Units
                                                                                : Empty;
}

RC::Unreal::FString ReadAnimationFile(RC::Unreal::FString Name) {
    const AnimationFileText Text(CharsOf(Name));
    return RC::Unreal::FString(Text.c_str());
}

}  // namespace QVH
