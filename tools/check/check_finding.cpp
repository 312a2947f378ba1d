#include "tools/check/check_finding.hpp"

#include <algorithm>

namespace QVH::Check {

std::size_t CheckReport::Count(FindingKind Kind) const {
    return static_cast<std::size_t>(std::count_if(
        Findings.begin(), Findings.end(), [Kind](const Finding& F) { return F.Kind == Kind; }));
}

std::string CheckReport::NameOf(std::size_t Entry) const {
    if (Entry == NoEntry) {
        return Folder;
    }
    std::vector<std::size_t> Chain;
    std::size_t Size = 0;
    for (std::size_t At = Entry; At != NoEntry; At = Entries[At].Parent) {
        Chain.push_back(At);
        Size += Entries[At].Name.size() + 1;
    }
    std::string Name;
    Name.reserve(Size);
    for (auto At = Chain.rbegin(); At != Chain.rend(); ++At) {
        Name.append(At == Chain.rbegin() ? "" : "/").append(Entries[*At].Name);
    }
    return Name;
}

void EntryFindings::Error(std::string_view Check, std::string Text,
                          std::optional<TextPosition> Position) {
    Out.push_back({FindingKind::Error, std::string(Check), Entry, Position, std::move(Text)});
}

void EntryFindings::Warning(std::string_view Check, std::string Text,
                            std::optional<TextPosition> Position) {
    Out.push_back({FindingKind::Warning, std::string(Check), Entry, Position, std::move(Text)});
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

void PieceQuote::Add(std::size_t Index, std::string_view Character) {
    (Whole() || Index < Shown ? Head : Tail).append(Character);
}

std::string PieceQuote::Quote() const { return "'" + Head + (Whole() ? "" : "...") + Tail + "'"; }

}  // namespace QVH::Check
