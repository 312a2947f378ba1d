#pragma once

#include <functional>
#include <string_view>

#include "tools/check/check_finding.hpp"

namespace QVH::Check {

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
