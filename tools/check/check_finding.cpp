#include "tools/check/check_finding.hpp"

#include <algorithm>

namespace QVH::HostTool {

std::size_t CheckReport::Count(FindingKind Kind) const {
    return static_cast<std::size_t>(std::count_if(
        Findings.begin(), Findings.end(), [Kind](const Finding& F) { return F.Kind == Kind; }));
}

void EntryFindings::Error(std::string_view Check, std::string Text,
                          std::optional<TextPosition> Position) {
    Out.push_back({FindingKind::Error, std::string(Check), Name, Position, std::move(Text)});
}

void EntryFindings::Warning(std::string_view Check, std::string Text,
                            std::optional<TextPosition> Position) {
    Out.push_back({FindingKind::Warning, std::string(Check), Name, Position, std::move(Text)});
}

std::string Quoted(std::string_view Text) { return "\"" + std::string(Text) + "\""; }

}  // namespace QVH::HostTool
