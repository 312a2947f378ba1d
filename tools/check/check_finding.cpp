#include "tools/check/check_finding.hpp"

#include <algorithm>

#include "log/escaped_name.hpp"
#include "text/utf8_sequence.hpp"

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

std::string Quoted(std::string_view Text) { return "\"" + std::string(Text) + "\""; }

void PieceQuote::Add(std::size_t Index, std::string_view Character) {
    (Whole() || Index < Shown ? Head : Tail).append(Character);
}

std::string PieceQuote::Quote() const { return "'" + Head + (Whole() ? "" : "...") + Tail + "'"; }

std::string QuotedPiece(std::string_view Text) {
    const auto* const First = reinterpret_cast<const unsigned char*>(Text.data());
    const auto* const End = First + Text.size();
    std::size_t Count = 0;
    for (const auto* In = First; In != End; In = ReadUtf8Sequence<false>(In, End).End) {
        ++Count;
    }
    PieceQuote Quote(Count);
    std::size_t Index = 0;
    for (const auto* In = First; In != End; ++Index) {
        const auto* const Next = ReadUtf8Sequence<false>(In, End).End;
        if (Quote.Shows(Index)) {
            Quote.Add(Index, EscapedName(std::string_view(reinterpret_cast<const char*>(In),
                                                          static_cast<std::size_t>(Next - In))));
        }
        In = Next;
    }
    return Quote.Quote();
}

}  // namespace QVH::Check
