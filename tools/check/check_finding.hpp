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

namespace QVH::HostTool {

enum class FindingKind { Error, Warning };

// 1-based; the column counts characters, not bytes.
struct TextPosition {
    std::uint64_t Line = 1;
    std::uint64_t Column = 1;
};

struct Finding {
    FindingKind Kind = FindingKind::Error;
    std::string Check;  // a stable identifier, such as "nul-byte", for tools
    std::string Name;   // the entry, as a read names it
    std::optional<TextPosition> Position;
    std::string Text;
};

enum class EntryType { File, Folder, Other };

struct CheckedEntry {
    std::string Name;
    EntryType Type = EntryType::File;
};

struct CheckReport {
    std::string Folder;  // the animation folder, as the mod names it
    std::vector<CheckedEntry> Entries;
    std::vector<Finding> Findings;

    std::size_t Count(FindingKind Kind) const;
};

// The findings about one entry, as its checks add them.
class EntryFindings {
public:
    EntryFindings(std::string InName, std::vector<Finding>& InOut)
        : Name(std::move(InName)), Out(InOut) {}

    void Error(std::string_view Check, std::string Text,
               std::optional<TextPosition> Position = std::nullopt);
    void Warning(std::string_view Check, std::string Text,
                 std::optional<TextPosition> Position = std::nullopt);

private:
    std::string Name;
    std::vector<Finding>& Out;
};

// Text quoted for a message: between double quotes, as it is.
std::string Quoted(std::string_view Text);

}  // namespace QVH::HostTool
