#include "anim_files/read_animation_file.hpp"

#include <new>
#include <optional>
#include <string>

#include "anim_files/animation_file_name.hpp"
#include "anim_files/engine_text_sink.hpp"
#include "anim_files/read_content.hpp"
#include "anim_files/system_error_text.hpp"
#include "engine/host_generations.hpp"
#include "log/escaped_name.hpp"
#include "log/log_line.hpp"
#include "text/unicode.hpp"

namespace QVH {
namespace {

void LogFailure(const ContentRead& Read, RC::StringViewType Name) {
    const RC::StringViewType Words = ReadFailureWords(*Read.Failure);
    const RC::StringType Shown = EscapedName(Name);
    if (!Read.Error) {
        LogLine({Words, STR(": "), Shown});
        return;
    }
    // The system's reason tells a modder what to fix: a permission, a lock, a broken disk.
    const RC::StringType Reason = SystemErrorText(Read.Error);
    LogLine({Words, STR(": "), Shown, STR(" ("), Reason, STR(")")});
}

// Why Name may not be read, in the words of its log line; nothing when it may.
std::optional<RC::StringViewType> Refusal(RC::StringViewType Name) {
    // Half a surrogate pair has no UTF-8 form: made into bytes anyway, two names could reach one
    // file, and the systems would each open something else for it.
    if (!IsWellFormedUtf16(Name)) {
        return STR("Refused a file name that is not valid text: ");
    }
    if (!IsNameInsideAnimationFolder(Name)) {
        return STR("Refused a file name that leaves the animation folder: ");
    }
    return std::nullopt;
}

ContentRead ReadInto(const std::u8string& Path, detail::EngineTextSink& Text) {
    detail::ScratchLease Lease;
    try {
        return detail::ReadContent(Path, Lease.Scratch(), Text);
    } catch (const std::bad_alloc&) {
        return {ReadFailure::OutOfMemory, {}};
    }
}

}  // namespace

void ReadAnimationFile(RC::Unreal::FString& Payload) {
    detail::EngineTextSink Text(Payload);
    const RC::StringViewType Name = CharsOf(Payload);
    if (const auto Words = Refusal(Name)) {
        LogLine({*Words, EscapedName(Name)});
        Text.Clear();
        return;
    }
    // The name's memory becomes the text's: the failure line takes the name from the path.
    const std::u8string Path = AnimationFilePathText(Name);
    const ContentRead Read = ReadInto(Path, Text);
    if (!Read.Failure) {
        Text.Finish();
        return;
    }
    // Half a text must not stay, even should the line fail; a name not yet written over stays
    // until the line is sent.
    if (Text.WroteOver()) {
        Text.Clear();
    }
    LogFailure(Read, AnimationFileNameIn(Path));
    Text.Clear();
}

}  // namespace QVH
