#include "tools/check/check_finding.hpp"

#include <algorithm>

#include "log/escaped_name.hpp"
#include "text/utf8_sequence.hpp"

namespace QVH::HostTool {

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

void PieceQuote::Add(std::string Character) {
    if (Count++ < Shown) {
        Head += Character;
        return;
    }
    Tail.push_back(std::move(Character));
    if (Tail.size() > KeptAtEnd) {
        Tail.pop_front();
    }
}

std::string PieceQuote::Quote() const {
    std::string Out = "'" + Head;
    const bool Whole = Count <= Shown + KeptAtEnd;
    if (!Whole) {
        Out += "...";
    }
    for (std::size_t At = Whole ? 0 : Tail.size() - Shown; At < Tail.size(); ++At) {
        Out += Tail[At];
    }
    return Out + "'";
}

std::string QuotedPiece(std::string_view Text) {
    PieceQuote Quote;
    const auto* In = reinterpret_cast<const unsigned char*>(Text.data());
    const auto* const End = In + Text.size();
    while (In != End) {
        const auto* const Next = ReadUtf8Sequence<false>(In, End).End;
        Quote.Add(EscapedName(std::string_view(reinterpret_cast<const char*>(In),
                                               static_cast<std::size_t>(Next - In))));
        In = Next;
    }
    return Quote.Quote();
}

}  // namespace QVH::HostTool
