#pragma once

// What `qvh-host check` found in an animation folder: its entries and their findings, and the two
// ways of writing them.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/check/check_finding.hpp"

namespace QVH::Check {

// Each entry keeps its own name and its folder's index, not a whole path: in a deep tree the
// paths would be most of the memory, growing with depth times entries.
struct CheckedEntry {
    std::string Name;  // its own part of the name, as EscapedNameUtf8 shows it
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

// Takes a report a piece at a time. The report holds each entry's whole name, which in a deep
// tree is far more than the entries themselves, so it is never made whole in memory.
using ReportSink = std::function<void(std::string_view Piece)>;

// One line per finding, "NAME: error: TEXT" or "NAME: warning: TEXT" (TEXT led by "line L,
// column C: " where the finding has a place), then "N entries, E errors, W warnings".
void WriteTextReport(const CheckReport& Report, const ReportSink& Write);

// The report as one JSON document, for tools: the folder, the entries with their types, the
// findings (kind, check, name, line, column, text; line and column null where there is no place)
// and the summary's counts; each entry and each finding on a line of its own.
void WriteJsonReport(const CheckReport& Report, const ReportSink& Write);

}  // namespace QVH::Check
