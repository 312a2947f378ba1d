#include "tools/check/check_report.hpp"

#include <nlohmann/json.hpp>

namespace QVH::HostTool {
namespace {

const char* KindName(FindingKind Kind) { return Kind == FindingKind::Error ? "error" : "warning"; }

const char* TypeName(EntryType Type) {
    switch (Type) {
        case EntryType::File:
            return "file";
        case EntryType::Folder:
            return "folder";
        case EntryType::Other:
            break;
    }
    return "other";
}

}  // namespace

std::string TextReport(const CheckReport& Report) {
    std::string Out;
    for (const Finding& F : Report.Findings) {
        Out += F.Name + ": " + KindName(F.Kind) + ": ";
        if (F.Position) {
            Out += "line " + std::to_string(F.Position->Line) + ", column " +
                   std::to_string(F.Position->Column) + ": ";
        }
        Out += F.Text + "\n";
    }
    Out += std::to_string(Report.Entries.size()) + " entries, " +
           std::to_string(Report.Count(FindingKind::Error)) + " errors, " +
           std::to_string(Report.Count(FindingKind::Warning)) + " warnings\n";
    return Out;
}

std::string JsonReport(const CheckReport& Report) {
    nlohmann::ordered_json Entries = nlohmann::ordered_json::array();
    for (const CheckedEntry& E : Report.Entries) {
        Entries.push_back({{"name", E.Name}, {"type", TypeName(E.Type)}});
    }
    nlohmann::ordered_json Findings = nlohmann::ordered_json::array();
    for (const Finding& F : Report.Findings) {
        nlohmann::ordered_json Item = {{"kind", KindName(F.Kind)}, {"check", F.Check},
                                       {"name", F.Name},           {"line", nullptr},
                                       {"column", nullptr},        {"text", F.Text}};
        if (F.Position) {
            Item["line"] = F.Position->Line;
            Item["column"] = F.Position->Column;
        }
        Findings.push_back(std::move(Item));
    }
    const nlohmann::ordered_json Document = {
        {"folder", Report.Folder},
        {"entries", std::move(Entries)},
        {"findings", std::move(Findings)},
        {"summary",
         {{"entries", Report.Entries.size()},
          {"errors", Report.Count(FindingKind::Error)},
          {"warnings", Report.Count(FindingKind::Warning)}}},
    };
    // Every text here is UTF-8 already; replacing is only a guard against a crash.
    return Document.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

}  // namespace QVH::HostTool
