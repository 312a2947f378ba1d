#include "tools/check/check_report.hpp"

#include <nlohmann/json.hpp>

namespace QVH::Check {
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

// Every text here is UTF-8 already; replacing is only a guard against a crash.
std::string Json(const nlohmann::ordered_json& Value) {
    return Value.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

}  // namespace

void WriteTextReport(const CheckReport& Report, const ReportSink& Write) {
    for (const Finding& F : Report.Findings) {
        std::string Line = Report.NameOf(F.Entry) + ": " + KindName(F.Kind) + ": ";
        if (F.Position) {
            Line += "line " + std::to_string(F.Position->Line) + ", column " +
                    std::to_string(F.Position->Column) + ": ";
        }
        Write(Line.append(F.Text).append("\n"));
    }
    Write(std::to_string(Report.Entries.size()) + " entries, " +
          std::to_string(Report.Count(FindingKind::Error)) + " errors, " +
          std::to_string(Report.Count(FindingKind::Warning)) + " warnings\n");
}

void WriteJsonReport(const CheckReport& Report, const ReportSink& Write) {
    Write("{\n  \"folder\": " + Json(Report.Folder) + ",\n  \"entries\": [");
    const char* Separator = "\n    ";
    for (std::size_t Entry = 0; Entry < Report.Entries.size(); ++Entry) {
        Write(Separator + Json({{"name", Report.NameOf(Entry)},
                                {"type", TypeName(Report.Entries[Entry].Type)}}));
        Separator = ",\n    ";
    }
    Write("\n  ],\n  \"findings\": [");
    Separator = "\n    ";
    for (const Finding& F : Report.Findings) {
        nlohmann::ordered_json Item = {
            {"kind", KindName(F.Kind)}, {"check", F.Check},  {"name", Report.NameOf(F.Entry)},
            {"line", nullptr},          {"column", nullptr}, {"text", F.Text}};
        if (F.Position) {
            Item["line"] = F.Position->Line;
            Item["column"] = F.Position->Column;
        }
        Write(Separator + Json(Item));
        Separator = ",\n    ";
    }
    const nlohmann::ordered_json Summary = {{"entries", Report.Entries.size()},
                                            {"errors", Report.Count(FindingKind::Error)},
                                            {"warnings", Report.Count(FindingKind::Warning)}};
    Write("\n  ],\n  \"summary\": " + Json(Summary) + "\n}\n");
}

}  // namespace QVH::Check
