#pragma once

// What `qvh-host check` finds: one finding per problem, each tied to an entry of the animation
// folder and, where it has one, to a place in the file as stored.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tools/check/finding_catalogue.hpp"

namespace QVH::Check {

// 1-based; the column counts characters, not bytes.
struct TextPosition {
    std::uint64_t Line = 1;
    std::uint64_t Column = 1;
};

// No entry: the animation folder itself, or the top level's parent.
inline constexpr std::size_t NoEntry = static_cast<std::size_t>(-1);

struct Finding {
    FindingId Id = FindingId::ReadFailed;
    std::size_t Entry = NoEntry;  // the index of the entry it is about
    std::optional<TextPosition> Position;
    std::string Text;

    FindingKind Kind() const { return SortOf(Id).Kind; }
};

enum class EntryType { File, Folder, Other };

// The findings about one entry, as its checks add them.
class EntryFindings {
public:
    EntryFindings(std::size_t InEntry, std::vector<Finding>& InOut) : Entry(InEntry), Out(InOut) {}

    // Adds the finding Id, of the kind the catalogue gives it.
    void Add(FindingId Id, std::string Text, std::optional<TextPosition> Position = std::nullopt);

private:
    std::size_t Entry;
    std::vector<Finding>& Out;
};

// A warning that may stand at any number of places in one file: the first few places get a line
// each, and one more line at the end says at how many more places it stands, so a report grows
// with the number of files, not with their size. Each line starts with What, the warning's own
// words ("a line break inside a JSON string"), so the count says what it counts.
class RepeatedWarning {
public:
    static constexpr std::size_t ShownPlaces = 5;

    RepeatedWarning(EntryFindings& InOut, FindingId InId, std::string_view InWhat)
        : Out(InOut), Id(InId), What(InWhat) {}

    // Counts one more place; true when it is among the first few, which the caller then reports
    // with Report.
    bool Next() { return ++Places <= ShownPlaces; }
    // The warning at one of the first few places: What, then Rest.
    void Report(std::string_view Rest, std::optional<TextPosition> Position);
    // The line for the places not shown, if there were any; once, after the last Next.
    void Finish();

private:
    EntryFindings& Out;
    FindingId Id;
    std::string_view What;
    std::size_t Places = 0;
};

// A piece of text of Count characters quoted for a message, built a character at a time: between
// single quotes, whole when short, else its first and last few characters with "..." between;
// never cut inside a character, nor between a letter and the combining marks that follow it (a
// decomposed "e" and U+0301 stay together). Only the characters shown, and a few before the last
// few, are asked for, so a long piece costs little more than a short one.
class PieceQuote {
public:
    explicit PieceQuote(std::size_t InCount);

    // Whether the character at Index of the piece is wanted; Add takes only those, in order.
    bool Shows(std::size_t Index) const {
        return Whole() || Index < HeadEnd || (Index == HeadEnd && !HeadClosed) ||
               Index >= FirstOfTail;
    }
    // The character at Index, Code, as it is to be shown (escaped as names are).
    void Add(std::size_t Index, char32_t Code, std::string_view Character);
    std::string Quote() const;

private:
    static constexpr std::size_t EndCharacters = 16;  // shown at each end
    // Marks looked back over for the letter that starts the last few characters.
    static constexpr std::size_t MaxMarks = 30;
    // Leaving out no more characters than "..." has would not shorten the quote.
    bool Whole() const { return Count <= 2 * EndCharacters + 3; }

    std::size_t Count;
    std::string Head;
    std::size_t HeadEnd = EndCharacters;  // grows by the marks that follow the head's last letter
    bool HeadClosed = false;
    std::size_t FirstOfTail;        // the first character kept for the tail
    std::vector<std::string> Tail;  // from FirstOfTail on
    std::vector<bool> TailMarks;
};

}  // namespace QVH::Check
