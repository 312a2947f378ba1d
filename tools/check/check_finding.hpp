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

namespace QVH::Check {

enum class FindingKind { Error, Warning };

// 1-based; the column counts characters, not bytes.
struct TextPosition {
    std::uint64_t Line = 1;
    std::uint64_t Column = 1;
};

// No entry: the animation folder itself, or the top level's parent.
inline constexpr std::size_t NoEntry = static_cast<std::size_t>(-1);

struct Finding {
    FindingKind Kind = FindingKind::Error;
    std::string Check;            // a stable identifier, such as "nul-byte", for tools
    std::size_t Entry = NoEntry;  // the index of the entry it is about
    std::optional<TextPosition> Position;
    std::string Text;
};

enum class EntryType { File, Folder, Other };

// Each entry keeps its own name and its folder's index, not a whole path: in a deep tree the
// paths would be most of the memory, growing with depth times entries.
struct CheckedEntry {
    std::string Name;  // its own part of the name, as ShownName shows it
    std::size_t Parent = NoEntry;
    EntryType Type = EntryType::File;
};

struct CheckReport {
    std::string Folder;  // the animation folder, as the mod names it
    std::vector<CheckedEntry> Entries;
    std::vector<Finding> Findings;

    std::size_t Count(FindingKind Kind) const;
    // The entry's name as a read names it ("Gestures/Wave_Hello.json"), shown; for NoEntry, the
    // folder's.
    std::string NameOf(std::size_t Entry) const;
};

// The findings about one entry, as its checks add them.
class EntryFindings {
public:
    EntryFindings(std::size_t InEntry, std::vector<Finding>& InOut) : Entry(InEntry), Out(InOut) {}

    void Error(std::string_view Check, std::string Text,
               std::optional<TextPosition> Position = std::nullopt);
    void Warning(std::string_view Check, std::string Text,
                 std::optional<TextPosition> Position = std::nullopt);

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

    RepeatedWarning(EntryFindings& InOut, std::string_view InCheck, std::string_view InWhat)
        : Out(InOut), Check(InCheck), What(InWhat) {}

    // Counts one more place; true when it is among the first few, which the caller then reports
    // with Report.
    bool Next() { return ++Places <= ShownPlaces; }
    // The warning at one of the first few places: What, then Rest.
    void Report(std::string_view Rest, std::optional<TextPosition> Position);
    // The line for the places not shown, if there were any; once, after the last Next.
    void Finish();

private:
    EntryFindings& Out;
    std::string_view Check;
    std::string_view What;
    std::size_t Places = 0;
};

// A piece of text of Count characters quoted for a message, built a character at a time: between
// single quotes, whole when short, else its first and last few characters with "..." between;
// never cut inside a character. Only the characters shown are asked for, so a long piece costs
// little more than a short one.
class PieceQuote {
public:
    explicit PieceQuote(std::size_t InCount) : Count(InCount) {}

    // Whether the character at Index of the piece is shown; Add takes only those, in order.
    bool Shows(std::size_t Index) const {
        return Whole() || Index < Shown || Index >= Count - Shown;
    }
    // The character at Index, as it is to be shown (escaped as names are).
    void Add(std::size_t Index, std::string_view Character);
    std::string Quote() const;

private:
    static constexpr std::size_t Shown = 16;  // characters at each end
    // Leaving out no more characters than "..." has would not shorten the quote.
    bool Whole() const { return Count <= 2 * Shown + 3; }

    std::size_t Count;
    std::string Head;
    std::string Tail;
};

}  // namespace QVH::Check
