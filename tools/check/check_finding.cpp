#include "tools/check/check_finding.hpp"

#include <algorithm>

namespace QVH::Check {

void EntryFindings::Add(FindingId Id, std::string Text, std::optional<TextPosition> Position) {
    Out.push_back({Id, Entry, Position, std::move(Text)});
}

void RepeatedWarning::Report(std::string_view Rest, std::optional<TextPosition> Position) {
    Out.Add(Id, std::string(What).append(Rest), Position);
}

void RepeatedWarning::Finish() {
    if (Places > ShownPlaces) {
        const std::size_t More = Places - ShownPlaces;
        Out.Add(Id, std::string(What) + ": the same at " + std::to_string(More) + " more " +
                        (More == 1 ? "place" : "places") + " in this file, not listed");
    }
}

namespace {

// A combining mark that belongs to the character before it: the blocks of combining diacritical
// marks, which decomposed Latin, Greek and Cyrillic letters use, the combining grapheme joiner, the
// variation selectors and the emoji modifiers. Marks of other scripts are not told apart here.
bool IsCombiningMark(char32_t Code) {
    return (Code >= 0x0300 && Code <= 0x036F) || (Code >= 0x1AB0 && Code <= 0x1AFF) ||
           (Code >= 0x1DC0 && Code <= 0x1DFF) || (Code >= 0x20D0 && Code <= 0x20FF) ||
           (Code >= 0xFE00 && Code <= 0xFE0F) || (Code >= 0xFE20 && Code <= 0xFE2F) ||
           (Code >= 0x1F3FB && Code <= 0x1F3FF) || (Code >= 0xE0100 && Code <= 0xE01EF);
}

}  // namespace

PieceQuote::PieceQuote(std::size_t InCount)
    : Count(InCount),
      FirstOfTail(std::max(EndCharacters, InCount - std::min(InCount, EndCharacters + MaxMarks))) {}

void PieceQuote::Add(std::size_t Index, char32_t Code, std::string_view Character) {
    if (Whole()) {
        Head.append(Character);
        return;
    }
    if (Index < HeadEnd) {
        Head.append(Character);
    } else if (Index == HeadEnd && !HeadClosed) {
        if (IsCombiningMark(Code)) {
            Head.append(Character);
            ++HeadEnd;
        } else {
            HeadClosed = true;
        }
    }
    if (Index >= FirstOfTail) {
        Tail.emplace_back(Character);
        TailMarks.push_back(IsCombiningMark(Code));
    }
}

std::string PieceQuote::Quote() const {
    if (Whole()) {
        return "'" + Head + "'";
    }
    // The last few characters, from the letter that the first of them is a mark of.
    std::size_t Start = Count - EndCharacters - FirstOfTail;
    while (Start > 0 && TailMarks[Start]) {
        --Start;
    }
    // What the head took by its marks is not shown twice.
    Start = std::max(Start, HeadEnd > FirstOfTail ? HeadEnd - FirstOfTail : 0);
    std::string Text = "'" + Head + (FirstOfTail + Start > HeadEnd ? "..." : "");
    for (std::size_t I = Start; I < Tail.size(); ++I) {
        Text += Tail[I];
    }
    return Text + "'";
}

}  // namespace QVH::Check
