#include "tools/check/check_report.hpp"

#include <algorithm>

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

std::size_t CheckReport::Count(FindingKind Kind) const {
    return static_cast<std::size_t>(std::count_if(
        Findings.begin(), Findings.end(), [Kind](const Finding& F) { return F.Kind() == Kind; }));
}

std::string CheckReport::NameOf(std::size_t Entry) const {
    if (Entry == NoEntry) {
        return Folder;
    }
    std::vector<std::size_t> Chain;
    std::size_t Size = 0;
    for (std::size_t At = Entry; At != NoEntry; At = Entries[At].Parent) {
        Chain.push_back(At);
        Size += Entries[At].Name.size() + 1;
    }
    std::string Name;
    Name.reserve(Size);
    for (auto At = Chain.rbegin(); At != Chain.rend(); ++At) {
        Name.append(At == Chain.rbegin() ? "" : "/").append(Entries[*At].Name);
    }
    return Name;
}

void WriteTextReport(const CheckReport& Report, const ReportSink& Write) {
    for (const Finding& F : Report.Findings) {
        std::string Line = Report.NameOf(F.Entry) + ": " + KindName(F.Kind()) + ": ";
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
        nlohmann::ordered_json Item = {{"kind", KindName(F.Kind())},
                                       {"id", SortOf(F.Id).Name},
                                       {"name", Report.NameOf(F.Entry)},
                                       {"line", nullptr},
                                       {"column", nullptr},
                                       {"text", F.Text}};
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
