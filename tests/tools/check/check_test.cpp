// `qvh-host check` as a modder runs it on a folder of animation files: each problem reported on a
// line of its own with its kind and place, nothing for good files, and the exit status.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "StandIn/ProgramFolder.hpp"
#include "tests/support/game_folder.hpp"
#include "tests/support/run_program.hpp"

#if !defined(_WIN32)
#include <sys/resource.h>
#include <sys/stat.h>
#endif

namespace {

using namespace std::string_literals;
using QVH::Test::ProgramResult;

// Name, kind, id, line and column (0 and 0 where a finding has no place).
using Found = std::tuple<std::string, std::string, std::string, int, int>;

// A finding the check must report: its kind, id and place (0 and 0 for none), and a part of its
// text.
struct Said {
    std::string Kind;
    std::string Id;
    int Line = 0;
    int Column = 0;
    std::string Part;
};

// An entry of the folder under check and all the check says of it. The report names it Name; it
// is written at Path (Name when empty) with Bytes, or made by Make.
struct Row {
    std::string Name;
    std::string Bytes;
    std::vector<Said> Findings;
    std::string Path = {};
    std::function<void(const QVH::Test::GameFolder&)> Make = nullptr;
};

std::string Utf16Le(std::u16string_view Text) {
    std::string Bytes = "\xFF\xFE";
    for (const char16_t Unit : Text) {
        Bytes += static_cast<char>(Unit & 0xFF);
        Bytes += static_cast<char>(Unit >> 8);
    }
    return Bytes;
}

std::string Utf16Be(std::u16string_view Text) {
    std::string Bytes = "\xFE\xFF";
    for (const char16_t Unit : Text) {
        Bytes += static_cast<char>(Unit >> 8);
        Bytes += static_cast<char>(Unit & 0xFF);
    }
    return Bytes;
}

std::string Times(int Count, const std::string& Text) {
    std::string Out;
    for (int I = 0; I < Count; ++I) {
        Out += Text;
    }
    return Out;
}

std::vector<std::string> Lines(const std::string& Text) {
    std::vector<std::string> Out;
    std::istringstream In(Text);
    for (std::string Line; std::getline(In, Line);) {
        Out.push_back(Line);
    }
    return Out;
}

// The text as stored: its encoding, its NULs, the bytes the mod replaces, and files with no text.
std::vector<Row> TextRows() {
    return {
        // Three characters replaced: two Latin-1 bytes, and an emoji's first three bytes.
        {"Latin1.json",
         "{\"Name\": \"Caf\xE9 cr\xE8me \xF0\x9F\x98\"}",
         {{"warning", "text-ill-formed", 1, 14, "5 bytes that are not UTF-8 become 3 U+FFFDs"}}},
        {"Empty.json", "", {{"warning", "empty-file", 0, 0, "empty string"}}},
        {"OnlyBreaks.json", "\r\n\r\n", {{"error", "read-empty", 0, 0, "the read gives nothing"}}},
        {"Notes.txt", "plain text", {{"warning", "not-json-name", 0, 0, "does not end in .json"}}},
        {"Utf16NoBom.json",
         Utf16Le(u"{}").substr(2),
         {{"warning", "utf16-without-bom", 0, 0, "UTF-16 LE"},
          {"error", "nul-byte", 1, 2, "last 3 bytes"},
          {"error", "json-syntax", 1, 2, "end of input"}}},
        {"Utf16Nul.json",
         Utf16Le(std::u16string(u"{}\0x", 4)),
         {{"error", "nul-byte", 1, 3, "last 4 bytes"}}},
        {"Utf16Bad.json",
         Utf16Le(u"[\"\xD800\"]"),
         {{"warning", "text-ill-formed", 1, 3, "2 bytes that are not UTF-16 become U+FFFD here"}}},
        // A line break right after a sequence cut short is no part of it: it is in the string.
        {"CutThenBreak.json",
         "{\"a\": \"\xE2\n b\"}",
         {{"warning", "text-ill-formed", 1, 8, "1 byte that is not UTF-8"},
          {"warning", "json-string-line-break", 1, 9, "string changes"}}},
        // One unit tells nothing of UTF-16.
        {"NulFirst.json", "\0ab"s, {{"error", "nul-byte", 1, 1, "the last 3 bytes"}}},
        {"Truncated.json",
         "{\"Name\": \"Cut\"\r\n\0, \"x\": 1}\r\n"s,
         {{"error", "nul-byte", 2, 1, "loses the last 12 bytes"},
          {"error", "json-syntax", 2, 1, "(the text ends at the NUL)"}}},
        // Good files among them: nothing is said of these.
        {"Good.json", "\xEF\xBB\xBF{\r\n  \"Name\": \"R\xC3\xA9v\xC3\xA9rence\"\r\n}\r\n", {}},
        {"Deep/Fine.json", Utf16Be(u"[\"\xD83D\xDE00\"]"), {}},
    };
}

// JSON as the Blueprint gets it, placed in the file as stored: syntax, line breaks, numbers.
std::vector<Row> JsonRows() {
    return {
        {"Broken.json",
         "{\r\n  \"Frames\": [1, 2,],\r\n}\r\n",
         {{"error", "json-syntax", 2, 19, "unexpected ']'"}}},
        {"Multiline.json",
         "{\"Text\": \"two\r\nlines\"}",
         {{"warning", "json-string-line-break", 1, 14, "string changes"}}},
        {"Joined.json",
         "{\"Frames\": 12\n0}",
         {{"warning", "json-joined-by-line-break", 1, 14, "run together"}}},
        // The byte-order mark takes no column, and "é" takes one.
        {"Columns.json",
         "\xEF\xBB\xBF{\"\xC3\xA9\": 1 \"x\": 2}",
         {{"error", "json-syntax", 1, 9, "unexpected string literal"}}},
        {"Deep/Er/Nested.json", "[1,,2]", {{"error", "json-syntax", 1, 4, "unexpected ','"}}},
        // A CR inside a character, then an LF of its own: two line ends, as an editor shows them.
        {"CrInside.json",
         "[\"\xE2\r\x82\xAC\n\", 2,]",
         {{"warning", "json-string-line-break", 2, 3, "string changes"},
          {"error", "json-syntax", 3, 6, "unexpected ']'"}}},
        // The grammar sets numbers no limit; a reader may.
        {"Huge.json",
         "[1e400, -" + std::string(400, '9') + ", 1e-400, " + std::string(308, '9') + ", " +
             std::string(309, '9') + "]",
         {{"warning", "json-number-too-large", 1, 2, "'1e400'"},
          {"warning", "json-number-too-large", 1, 9, "'-999999999999999...9999999999999999'"},
          {"warning", "json-number-too-large", 1, 730, "'9999999999999999...9999999999999999'"}}},
        // The mod drops one byte-order mark; the Blueprint gets the second.
        {"TwoBoms.json",
         "\xEF\xBB\xBF\xEF\xBB\xBF{}",
         {{"error", "json-syntax", 1, 1, "starts with U+FEFF"}}},
        {"TwoBoms16.json",
         Utf16Le(u"\uFEFF{}"),
         {{"error", "json-syntax", 1, 1, "starts with U+FEFF"}}},
        // The first few places of a repeated warning, then how many more, each count naming its
        // kind.
        {"Joined8.json",
         "[1\n2\n3\n4\n5\n6\n7\n8\n9]",
         {{"warning", "json-joined-by-line-break", 1, 3, "run together"},
          {"warning", "json-joined-by-line-break", 2, 2, "run together"},
          {"warning", "json-joined-by-line-break", 3, 2, "run together"},
          {"warning", "json-joined-by-line-break", 4, 2, "run together"},
          {"warning", "json-joined-by-line-break", 5, 2, "run together"},
          {"warning", "json-joined-by-line-break", 0, 0,
           "a line break between two words or numbers: the same at 3 more places in this file"}}},
        {"Strings7.json",
         "[\"a" + Times(6, "\nb\", \"a") + "\nb\"]",
         {{"warning", "json-string-line-break", 1, 4, "string changes"},
          {"warning", "json-string-line-break", 2, 7, "string changes"},
          {"warning", "json-string-line-break", 3, 7, "string changes"},
          {"warning", "json-string-line-break", 4, 7, "string changes"},
          {"warning", "json-string-line-break", 5, 7, "string changes"},
          {"warning", "json-string-line-break", 0, 0,
           "a line break inside a JSON string: the same at 2 more places in this file"}}},
    };
}

// What a finding quotes of a file: short, in whole characters, as the file holds them.
std::vector<Row> QuoteRows() {
    return {
        // What the parser cannot read is pointed at where reading failed, not where the token
        // began.
        {"Control.json", "{\"a\": \"x\ty\"}", {{"error", "json-syntax", 1, 9, "U+0009"}}},
        // A quote is cut to a short piece of its token.
        {"Unterminated.json",
         "[\"" + std::string(100000, 'x'),
         {{"error", "json-syntax", 1, 100003,
           "last read: '\"xxxxxxxxxxxxxxx...xxxxxxxxxxxxxxxx'"}}},
        // A quote holds whole characters, as the file holds them: a byte as <0xC3> only where it
        // is in the file and no part of a character.
        {"QuoteE.json", "{\xC3\xA9}", {{"error", "json-syntax", 1, 2, "last read: '{\xC3\xA9'"}}},
        {"QuoteCut.json",
         "{\xC3",
         {{"error", "json-syntax", 1, 2, "last read: '{<0xC3>'"},
          {"warning", "text-ill-formed", 1, 2, "1 byte that is not UTF-8"}}},
        {"QuoteE16.json",
         Utf16Le(u"{\u00E9}"),
         {{"error", "json-syntax", 1, 2, "last read: '{\xC3\xA9'"}}},
        {"QuoteLone16.json",
         Utf16Be(u"{\xD800}"),
         {{"error", "json-syntax", 1, 2, "last read: '{<U+D800>'"},
          {"warning", "text-ill-formed", 1, 2, "2 bytes that are not UTF-16"}}},
        {"QuoteOdd16.json",
         Utf16Le(u"{") + "x",
         {{"error", "json-syntax", 1, 2, "last read: '{<0x78>'"},
          {"warning", "text-ill-formed", 1, 2, "1 byte that is not UTF-16"}}},
        {"QuoteLong16.json",
         Utf16Be(u"[\"" + std::u16string(100, u'\u00E9')),
         {{"error", "json-syntax", 1, 103,
           "last read: '\"" + Times(15, "\xC3\xA9") + "..." + Times(16, "\xC3\xA9") + "'"}}},
        // Shown with the escape, not as the name's raw bytes would read.
        {"Bidi<U+202E>.json",
         "[1,]",
         {{"error", "json-syntax", 1, 4, "unexpected ']'"}},
         "Bidi\xE2\x80\xAE.json"},
    };
}

#if !defined(_WIN32)
// Names Windows cannot hold or the listing splits, and bytes that are no UTF-8.
std::vector<Row> NameRows() {
    return {
        {"A|B.json", "{}", {{"error", "name-bar", 0, 0, "into \"A\" and \"B.json\""}}},
        {"CON.json", "{}", {{"error", "name-device", 0, 0, "device CON"}}},
        {"lpt9.json", "{}", {{"error", "name-device", 0, 0, "device lpt9"}}},
        {"Conout$",
         "{}",
         {{"error", "name-device", 0, 0, "device Conout$"},
          {"warning", "not-json-name", 0, 0, ".json"}}},
        {"Tab<U+0009>Name.json",
         "{}",
         {{"error", "name-windows-character", 0, 0, "with <U+0009> in it"}},
         "Tab\tName.json"},
        {"Tab\\x09Name.json", "{}", {{"error", "name-windows-character", 0, 0, "'\\'"}}},
        {"Lt<U+003C>U+0009>.json",
         "{}",
         {{"error", "name-windows-character", 0, 0, "'<' and '>'"}},
         "Lt<U+0009>.json"},
        {"COM\xC2\xB9.json", "{}", {{"error", "name-device", 0, 0, "device COM\xC2\xB9"}}},
        {"lpt\xC2\xB3",
         "{}",
         {{"error", "name-device", 0, 0, "device lpt\xC2\xB3"},
          {"warning", "not-json-name", 0, 0, ".json"}}},
        {"Ask?.json", "{}", {{"error", "name-windows-character", 0, 0, "'?'"}}},
        {"Dot.json.",
         "{}",
         {{"error", "name-trailing-dot-or-space", 0, 0, "ends in a dot"},
          {"warning", "not-json-name", 0, 0, ".json"}}},
        {"Space.json ",
         "{}",
         {{"error", "name-trailing-dot-or-space", 0, 0, "ends in a space"},
          {"warning", "not-json-name", 0, 0, ".json"}}},
        // The mod's log line, quoted whole and without its line feed.
        {"<0xFF>.json",
         "{}",
         {{"error", "name-ill-formed", 0, 0, "\"\xEF\xBF\xBD.json\""},
          {"error", "read-failed", 0, 0,
           "\"QVH_MotionArchive : Animation file not found: \xEF\xBF\xBD.json\""}},
         "\xFF.json"},
        {"C:x.json",
         "{}",
         {{"error", "name-windows-character", 0, 0, "':'"},
          {"error", "read-failed", 0, 0, "Refused a file name"}}},
        // The listing shows the top level only: '|' splits a folder's name there, and deeper down
        // it is one more character Windows cannot hold.
        {"Set|A", "{}", {{"error", "name-bar", 0, 0, "into \"Set\" and \"A\""}}, "Set|A/Idle.json"},
        {"Sub/a|b.json", "{}", {{"error", "name-windows-character", 0, 0, "'|'"}}},
    };
}

// What is no file written with bytes: a sparse file, links and a pipe.
std::vector<Row> MadeRows() {
    namespace fs = std::filesystem;
    using QVH::Test::GameFolder;
    // An entry that is not a file written with bytes: a link, a pipe, a sparse file.
    const auto Made = [](std::string Name, std::function<void(const GameFolder&)> Make,
                         std::vector<Said> Findings) {
        return Row{std::move(Name), "", std::move(Findings), "", std::move(Make)};
    };
    const auto Link = [](const char* Target, const char* Name) {
        return
            [=](const GameFolder& Game) { fs::create_symlink(Target, Game.AnimFolder() / Name); };
    };
    return {
        // The text ends at byte 0: the file is read no further, and its length is what is lost.
        Made("Sparse.json",
             [](const GameFolder& Game) {
                 fs::resize_file(Game.WriteFile("Sparse.json", ""), 2'000'000'000);
             },
             {{"error", "nul-byte", 1, 1, "loses the last 2000000000 bytes"}}),
        // A system file that gives its length as 0 and has no end in sight.
        Made("Pagemap.json", Link("/proc/self/pagemap", "Pagemap.json"),
             {{"error", "nul-byte", 1, 1, "loses the rest of the file"}}),
        Made("Gone.json", Link("Nowhere.json", "Gone.json"),
             {{"error", "read-failed", 0, 0,
               "\"QVH_MotionArchive : Animation file not found: Gone.json\""}}),
        // Links to folders are named, not walked: out of the tree, round it, or inside it.
        Made("Root", Link("/", "Root"),
             {{"warning", "link-leaves-folder", 0, 0, "outside the animation folder"}}),
        Made("Self", Link("/proc/self", "Self"),
             {{"warning", "link-leaves-folder", 0, 0, "outside the animation folder"}}),
        Made("Loop", Link(".", "Loop"),
             {{"warning", "link-cycle", 0, 0, "of the animation folder that holds it"}}),
        Made("Deep/Up", Link("..", "Deep/Up"),
             {{"warning", "link-cycle", 0, 0, "of the animation folder that holds it"}}),
        // ".." at the top leaves the animation folder, though it holds it too.
        Made("Up", Link("..", "Up"),
             {{"warning", "link-leaves-folder", 0, 0, "outside the animation folder"}}),
        Made("Inside", Link("Deep/Er", "Inside"),
             {{"warning", "link-inside-folder", 0, 0, "checks that folder where it is"}}),
        // A FIFO is refused with the device line.
        Made("Pipe.json",
             [](const GameFolder& Game) {
                 ASSERT_EQ(::mkfifo((Game.AnimFolder() / "Pipe.json").c_str(), 0600), 0);
             },
             {{"error", "read-failed", 0, 0, "names a device, not a file: Pipe.json"}}),
    };
}

#endif

std::vector<Row> AllRows() {
    std::vector<std::vector<Row> (*)()> Groups = {TextRows, JsonRows, QuoteRows};
#if !defined(_WIN32)
    Groups.insert(Groups.end(), {NameRows, MadeRows});
#endif
    std::vector<Row> Rows;
    for (const auto Group : Groups) {
        std::vector<Row> More = Group();
        Rows.insert(Rows.end(), More.begin(), More.end());
    }
    return Rows;
}

class CheckTest : public ::testing::Test {
protected:
    ProgramResult Check(const std::vector<std::string>& Options = {}) const {
        const std::u8string Cwd = (Game.Root() / "Binaries" / "Win64").u8string();
        std::vector<std::string> Arguments{"--cwd", std::string(Cwd.begin(), Cwd.end())};
        Arguments.insert(Arguments.end(), Options.begin(), Options.end());
        Arguments.push_back("check");
        return QVH::Test::RunProgram(StandIn::ProgramFolder() / QVH_HOST_FILE_NAME, Arguments);
    }

    static std::vector<Found> FindingsOf(const nlohmann::json& Report) {
        std::vector<Found> Out;
        for (const auto& F : Report.at("findings")) {
            Out.emplace_back(F.at("name"), F.at("kind"), F.at("id"),
                             F.at("line").is_null() ? 0 : F.at("line").get<int>(),
                             F.at("column").is_null() ? 0 : F.at("column").get<int>());
        }
        return Out;
    }

    // Writes or makes each row's entry; gives the findings the rows expect.
    std::vector<Found> Make(const std::vector<Row>& Rows) const {
        std::vector<Found> Wanted;
        for (const Row& R : Rows) {
            if (R.Make) {
                R.Make(Game);
            } else {
                Game.WriteFile(R.Path.empty() ? R.Name : R.Path, R.Bytes);
            }
            for (const Said& S : R.Findings) {
                Wanted.emplace_back(R.Name, S.Kind, S.Id, S.Line, S.Column);
            }
        }
        return Wanted;
    }

    // Each finding a row expects says its part: in text on a line of its own, its place first
    // where it has one, and in the JSON report.
    static void ExpectEachSaid(const std::vector<Row>& Rows, const std::vector<std::string>& Text,
                               const nlohmann::json& Report) {
        const std::vector<Found> All = FindingsOf(Report);
        for (const Row& R : Rows) {
            for (const Said& S : R.Findings) {
                SCOPED_TRACE(R.Name + " " + S.Id);
                std::string Prefix = R.Name + ": " + S.Kind + ": ";
                if (S.Line != 0) {
                    Prefix += "line " + std::to_string(S.Line) + ", column " +
                              std::to_string(S.Column) + ": ";
                }
                EXPECT_TRUE(std::any_of(Text.begin(), Text.end(), [&](const std::string& L) {
                    return L.starts_with(Prefix) && L.find(S.Part) != std::string::npos;
                })) << Prefix;
                const Found What(R.Name, S.Kind, S.Id, S.Line, S.Column);
                for (std::size_t I = 0; I < All.size(); ++I) {
                    if (All[I] == What) {
                        const std::string Said = Report.at("findings")[I].at("text");
                        EXPECT_NE(Said.find(S.Part), std::string::npos) << Said;
                    }
                }
            }
        }
    }

    QVH::Test::GameFolder Game;
};

TEST_F(CheckTest, ReportsEachProblemWithItsKindAndPlaceAndExits3) {
    const std::vector<Row> Rows = AllRows();
    std::vector<Found> Wanted = Make(Rows);

    const ProgramResult Text = Check();
    const ProgramResult AsJson = Check({"--format", "json"});
    ASSERT_EQ(AsJson.ExitCode, 3) << AsJson.Err;
    const nlohmann::json Report = nlohmann::json::parse(AsJson.Out);
    std::vector<Found> Got = FindingsOf(Report);
    std::sort(Wanted.begin(), Wanted.end());
    std::sort(Got.begin(), Got.end());
    EXPECT_EQ(Got, Wanted);
    ExpectEachSaid(Rows, Lines(Text.Out), Report);
    // Every line is short, whatever the file quotes, and in the check's own words.
    for (const std::string& Line : Lines(Text.Out)) {
        EXPECT_LT(Line.size(), 300u) << Line.substr(0, 300);
        EXPECT_EQ(Line.find("json.exception"), std::string::npos) << Line;
    }
    const auto Errors = static_cast<std::size_t>(std::count_if(
        Wanted.begin(), Wanted.end(), [](const Found& F) { return std::get<1>(F) == "error"; }));
    const std::size_t Entries = Report.at("entries").size();
    EXPECT_EQ(Text.ExitCode, 3);
    EXPECT_TRUE(Text.Out.ends_with("\n" + std::to_string(Entries) + " entries, " +
                                   std::to_string(Errors) + " errors, " +
                                   std::to_string(Wanted.size() - Errors) + " warnings\n"))
        << Text.Out;
    EXPECT_EQ(Lines(Text.Out).size(), Wanted.size() + 1);
    EXPECT_EQ(Report.at("summary").at("errors"), Errors);
    EXPECT_EQ(Report.at("summary").at("entries"), Entries);
    EXPECT_EQ(Text.Out.find("Good.json"), std::string::npos);
    EXPECT_EQ(Text.Out.find("Fine.json"), std::string::npos);
}

TEST_F(CheckTest, ACleanFolderExits0WithNoFindings) {
    Game.WriteFile("Bom.json", "\xEF\xBB\xBF{\"Name\": \"Bom\"}\r\n");
    Game.WriteFile("Utf16Le.json", Utf16Le(u"{\r\n  \"Name\": \"R\u00E9v\u00E9rence\"\r\n}\r\n"));
    Game.WriteFile("Utf16Be.json", Utf16Be(u"{\"Emoji\": \"\xD83D\xDE00\", \"N\": [1,\r\n 2]}"));
    Game.WriteFile(u8"R\u00E9v\u00E9rence.json", "{\"Curtsy\": true}\n");
    Game.WriteFile("Gestures/Wave_Hello.json",
                   "{\r\n  \"Frames\": [\r\n    0.5,\r\n    1e3\r\n  ]\r\n}");
    Game.WriteFile("A/B/C/D/E/Deep.json", "[1, \"two\", null]\r\n");
    const int Count = 12;

    const ProgramResult Text = Check();
    const ProgramResult AsJson = Check({"--format", "json"});

    EXPECT_EQ(Text.ExitCode, 0) << Text.Err;
    EXPECT_EQ(Text.Out, std::to_string(Count) + " entries, 0 errors, 0 warnings\n");
    ASSERT_EQ(AsJson.ExitCode, 0) << AsJson.Err;
    const nlohmann::json Report = nlohmann::json::parse(AsJson.Out);
    EXPECT_TRUE(Report.at("findings").empty());
    std::vector<std::pair<std::string, std::string>> Entries;
    for (const auto& E : Report.at("entries")) {
        Entries.emplace_back(E.at("name"), E.at("type"));
    }
    // Each folder's entries in order of their names, a sub-folder's right after it, named as a
    // read names them.
    std::vector<std::pair<std::string, std::string>> Wanted = {
        {"A", "folder"},
        {"A/B", "folder"},
        {"A/B/C", "folder"},
        {"A/B/C/D", "folder"},
        {"A/B/C/D/E", "folder"},
        {"A/B/C/D/E/Deep.json", "file"},
        {"Bom.json", "file"},
        {"Gestures", "folder"},
        {"Gestures/Wave_Hello.json", "file"},
        {"R\xC3\xA9v\xC3\xA9rence.json", "file"},
        {"Utf16Be.json", "file"},
        {"Utf16Le.json", "file"},
    };
    EXPECT_EQ(Entries, Wanted);
    EXPECT_EQ(Report.at("summary"),
              nlohmann::json({{"entries", Count}, {"errors", 0}, {"warnings", 0}}));
}

#if !defined(_WIN32)
TEST_F(CheckTest, ADeepTreeOfLongNamesIsCheckedInLittleMemory) {
    // The deepest folder's path is 640,000 bytes long; no entry may keep its path.
    Game.WriteDeepFile(std::string(255, 'd'), 2500, "Deep.json");

    const ProgramResult Run = Check();
    rusage Children{};
    ::getrusage(RUSAGE_CHILDREN, &Children);

    // The mod cannot open the file by its path, which passes the system's limit.
    EXPECT_EQ(Run.ExitCode, 3) << Run.Err;
    EXPECT_TRUE(
        Run.Out.ends_with("/Deep.json (File name too long)\"\n2501 entries, 1 errors, 0 "
                          "warnings\n"))
        << Run.Out.substr(Run.Out.size() - std::min<std::size_t>(Run.Out.size(), 200));
    EXPECT_LT(Children.ru_maxrss, 200 * 1024) << "KiB at most";
}
#endif

TEST_F(CheckTest, AMissingFolderIsAnErrorQuotingTheModsLogLine) {
    Game.RemoveAnimFolder();

    const ProgramResult Run = Check();

    EXPECT_EQ(Run.ExitCode, 3) << Run.Err;
    EXPECT_EQ(Run.Out,
              "../../Content/Paks/~Mods/AnimJSON: error: the listing fails: the mod logs "
              "\"QVH_MotionArchive : Animation folder not found: "
              "../../Content/Paks/~Mods/AnimJSON\"\n0 entries, 1 errors, 0 warnings\n");
}

TEST_F(CheckTest, TheSampleGameIsClean) {
    const ProgramResult Run =
        QVH::Test::RunProgram(StandIn::ProgramFolder() / QVH_HOST_FILE_NAME, {"check"});

    EXPECT_EQ(Run.ExitCode, 0) << Run.Err;
    EXPECT_EQ(Run.Out, "5 entries, 0 errors, 0 warnings\n");
    // The log reaches stderr whole, the line at uninstall_mod included.
    EXPECT_EQ(Run.Err,
              "QVH_MotionArchive C++ Side Initialized!\nQVH_MotionArchive : The library stays "
              "loaded until the game ends, and its CPPCommsCall hooks now do nothing: a changed "
              "DLL takes effect at the next start of the game\n");
}

}  // namespace
