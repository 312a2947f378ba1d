#include "anim_files/read_animation_file.hpp"

#include <string>
#include <utility>

#include "anim_files/animation_file_name.hpp"
#include "anim_files/input_file.hpp"
#include "anim_files/read_content.hpp"
#include "log/escaped_name.hpp"
#include "log/log_line.hpp"
#include "text/unicode.hpp"

namespace QVH {
namespace {

void LogFailure(const detail::ContentRead& Read, RC::StringViewType Name) {
    const RC::StringViewType Words = detail::ReadFailureWords(*Read.Failure);
    const RC::StringType Shown = EscapedName(Name);
    if (!Read.Error) {
        LogLine({Words, STR(": "), Shown});
        return;
    }
    // The system's reason tells a modder what to fix: a permission, a lock, a broken disk.
    const RC::StringType Reason = detail::InputFile::ErrorText(Read.Error);
    LogLine({Words, STR(": "), Shown, STR(" ("), Reason, STR(")")});
}

// Whether Name may be read, with a log line when it may not.
bool Admits(RC::StringViewType Name) {
    // Half a surrogate pair has no UTF-8 form: made into bytes anyway, two names could reach one
    // file, and the systems would each open something else for it.
    if (!IsWellFormedUtf16(Name)) {
        LogLine({STR("Refused a file name that is not valid text: "), EscapedName(Name)});
        return false;
    }
    if (!IsNameInsideAnimationFolder(Name)) {
        LogLine({STR("Refused a file name that leaves the animation folder: "), EscapedName(Name)});
        return false;
    }
    return true;
}

}  // namespace

LentText::LentText(detail::ScratchLease InLease, const RC::CharType* InUnits) noexcept
    : Lease(std::move(InLease)), Units(InUnits) {}

const RC::CharType* LentText::c_str() const noexcept {
    static constexpr RC::CharType Empty[] = {0};
    return Units != nullptr ? Units : Empty;
}

LentText ReadAnimationFile(RC::StringViewType Name) {
    detail::ScratchLease Lease;
    if (!Admits(Name)) {
        return LentText(std::move(Lease), nullptr);
    }
    // The text is decoded into the reads' scratch, so only the engine string is fresh memory.
    const detail::ContentRead Read =
        detail::ReadContent(detail::AnimationFilePathText(Name), Lease.Scratch());
    if (Read.Failure) {
        LogFailure(Read, Name);
    }
    return LentText(std::move(Lease), Read.Units);
}

}  // namespace QVH
