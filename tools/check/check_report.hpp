#pragma once

#include <string>

#include "tools/check/check_finding.hpp"

namespace QVH::HostTool {

// One line per finding, "NAME: error: TEXT" or "NAME: warning: TEXT" (TEXT led by "line L,
// column C: " where the finding has a place), then "N entries, E errors, W warnings".
std::string TextReport(const CheckReport& Report);

// The report as one JSON document, for tools: the folder, the entries with their types, the
// findings (kind, check, name, line, column, text; line and column null where there is no place)
// and the summary's counts.
std::string JsonReport(const CheckReport& Report);

}  // namespace QVH::HostTool
