#include "tools/check/check_finding.hpp"

#include <algorithm>

#include "log/escaped_name.hpp"

namespace QVH::HostTool {

std::size_t CheckReport::Count(FindingKind Kind) const {
    return static_cast<std::size_t>(std::count_if(
        Findings.begin(), Findings.end(), [Kind](const Finding& F) { return F.Kind == Kind; }));
}

void EntryFindings::Error(std::string_view Check, std::string Text,
                          std::optional<TextPosition> Position) {
    Out.push_back({FindingKind::Error, std::string(Check), Name, Position, std::move(Text)});
}

void EntryFindings::Warning(std::string_view Check, std::string Text,
                            std::optional<TextPosition> Position) {
    Out.push_back({FindingKind::Warning, std::string(Check), Name, Position, std::move(Text)});
}

void RepeatedWarning::Report(std::string_view Rest, std::optional<TextPosition> Position) {
    Out.Warning(Check, std::string(What).append(Rest), Position);
}

void RepeatedWarning::Finish() {
    if (Places > ShownPlaces) {
        const std::size_t More = Places - ShownPlaces;
        Out.Warning(Check, std::string(What) + ": the same at " + std::to_string(More) + " more " +
                               (More == 1 ? "place" : "places") + " in this file, not listed");
    }
}

std::string Quoted(std::string_view Text) { return "\"" + std::string(Text) + "\""; }

std::string QuotedPiece(std::string_view Text) {
    constexpr std::size_t Shown = 16;  // characters at each end
    auto Starts = [](char Byte) { return (static_cast<unsigned char>(Byte) & 0xC0) != 0x80; };
    std::size_t Head = 0;  // past the first Shown characters
    for (std::size_t Seen = 0; Head < Text.size(); ++Head) {
        if (Starts(Text[Head]) && Seen++ == Shown) {
            break;
        }
    }
    std::size_t Tail = Text.size();  // at the last Shown characters
    for (std::size_t Seen = 0; Tail > Head && Seen < Shown;) {
        Seen += Starts(Text[--Tail]) ? 1 : 0;
    }
    // Leaving out fewer bytes than "..." has would not shorten it.
    if (Tail - Head <= 3) {
        return "'" + EscapedName(Text) + "'";
    }
    return "'" + EscapedName(Text.substr(0, Head)) + "..." + EscapedName(Text.substr(Tail)) + "'";
}

}  // namespace QVH::HostTool
