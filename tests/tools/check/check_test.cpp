// `qvh-host check` as a modder runs it on a folder of animation files: each problem reported on a
// line of its own with its kind and place, nothing for good files, and the exit status.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
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

// Name, kind, check, line and column (0 and 0 where a finding has no place).
using Found = std::tuple<std::string, std::string, std::string, int, int>;

struct Expected {
    Found What;
    std::string Part;  // of the text
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
            Out.emplace_back(F.at("name"), F.at("kind"), F.at("check"),
                             F.at("line").is_null() ? 0 : F.at("line").get<int>(),
                             F.at("column").is_null() ? 0 : F.at("column").get<int>());
        }
        return Out;
    }

    QVH::Test::GameFolder Game;
};

TEST_F(CheckTest, ReportsEachProblemWithItsKindAndPlaceAndExits3) {
    const std::string Json = ".json";
    Game.WriteFile("Broken.json", "{\r\n  \"Frames\": [1, 2,],\r\n}\r\n");
    Game.WriteFile("Truncated.json", "{\"Name\": \"Cut\"\r\n\0, \"x\": 1}\r\n"s);
    // Three characters replaced: two Latin-1 bytes, and an emoji's first three bytes.
    Game.WriteFile("Latin1.json", "{\"Name\": \"Caf\xE9 cr\xE8me \xF0\x9F\x98\"}");
    Game.WriteFile("Multiline.json", "{\"Text\": \"two\r\nlines\"}");
    Game.WriteFile("Joined.json", "{\"Frames\": 12\n0}");
    Game.WriteFile("Empty.json", "");
    Game.WriteFile("OnlyBreaks.json", "\r\n\r\n");
    Game.WriteFile("Notes.txt", "plain text");
    Game.WriteFile("Utf16NoBom.json", Utf16Le(u"{}").substr(2));
    // The byte-order mark takes no column, and "é" takes one.
    Game.WriteFile("Columns.json", "\xEF\xBB\xBF{\"\xC3\xA9\": 1 \"x\": 2}");
    Game.WriteFile("Utf16Nul.json", Utf16Le(std::u16string(u"{}\0x", 4)));
    Game.WriteFile("Utf16Bad.json", Utf16Le(u"[\"\xD800\"]"));
    Game.WriteFile("Deep/Er/Nested.json", "[1,,2]");
    // What the parser cannot read is pointed at where reading failed, not where the token began.
    Game.WriteFile("Control.json", "{\"a\": \"x\ty\"}");
    // Good files among them: nothing is said of these.
    Game.WriteFile("Good.json",
                   "\xEF\xBB\xBF{\r\n  \"Name\": \"R\xC3\xA9v\xC3\xA9rence\"\r\n}\r\n");
    Game.WriteFile("Deep/Fine.json", Utf16Be(u"[\"\xD83D\xDE00\"]"));
    // A line break right after a sequence cut short is no part of it: it is in the string.
    Game.WriteFile("CutThenBreak.json", "{\"a\": \"\xE2\n b\"}");
    // A CR inside a character, then an LF of its own: two line ends, as an editor shows them.
    Game.WriteFile("CrInside.json", "[\"\xE2\r\x82\xAC\n\", 2,]");
    // One unit tells nothing of UTF-16.
    Game.WriteFile("NulFirst.json", "\0ab"s);
    // The grammar sets numbers no limit; a reader may.
    Game.WriteFile("Huge.json", "[1e400, -" + std::string(400, '9') + ", 1e-400, " +
                                    std::string(308, '9') + ", " + std::string(309, '9') + "]");
    // The mod drops one byte-order mark; the Blueprint gets the second.
    Game.WriteFile("TwoBoms.json", "\xEF\xBB\xBF\xEF\xBB\xBF{}");
    Game.WriteFile("TwoBoms16.json", Utf16Le(u"\uFEFF{}"));
    // A quote is cut to a short piece of its token.
    Game.WriteFile("Unterminated.json", "[\"" + std::string(100000, 'x'));
    // The first few places of a repeated warning, then how many more, each count naming its kind.
    Game.WriteFile("Joined8.json", "[1\n2\n3\n4\n5\n6\n7\n8\n9]");
    Game.WriteFile("Strings7.json", "[\"a" + Times(6, "\nb\", \"a") + "\nb\"]");
    // A quote holds whole characters, as the file holds them: a byte as <0xC3> only where it is
    // in the file and no part of a character.
    Game.WriteFile("QuoteE.json", "{\xC3\xA9}");
    Game.WriteFile("QuoteCut.json", "{\xC3");
    Game.WriteFile("QuoteE16.json", Utf16Le(u"{\u00E9}"));
    Game.WriteFile("QuoteLone16.json", Utf16Be(u"{\xD800}"));
    Game.WriteFile("QuoteOdd16.json", Utf16Le(u"{") + "x");
    Game.WriteFile("QuoteLong16.json", Utf16Be(u"[\"" + std::u16string(100, u'\u00E9')));
    // Shown with the escape, not as the name's raw bytes would read.
    Game.WriteFile("Bidi\xE2\x80\xAE.json", "[1,]");
    std::vector<Expected> Cases = {
        {{"Broken.json", "error", "json-syntax", 2, 19}, "unexpected ']'"},
        {{"Truncated.json", "error", "nul-byte", 2, 1}, "loses the last 12 bytes"},
        {{"Truncated.json", "error", "json-syntax", 2, 1}, "(the text ends at the NUL)"},
        {{"Latin1.json", "warning", "not-utf8", 1, 14},
         "5 bytes that are not UTF-8 become 3 U+FFFDs"},
        {{"Multiline.json", "warning", "json-string-line-break", 1, 14}, "string changes"},
        {{"Joined.json", "warning", "json-joined-by-line-break", 1, 14}, "run together"},
        {{"Empty.json", "warning", "empty-file", 0, 0}, "empty string"},
        {{"OnlyBreaks.json", "error", "read-empty", 0, 0}, "the read gives nothing"},
        {{"Notes.txt", "warning", "not-json-name", 0, 0}, "does not end in .json"},
        {{"Utf16NoBom.json", "warning", "utf16-without-bom", 0, 0}, "UTF-16 LE"},
        {{"Utf16NoBom.json", "error", "nul-byte", 1, 2}, "last 3 bytes"},
        {{"Utf16NoBom.json", "error", "json-syntax", 1, 2}, "end of input"},
        {{"Columns.json", "error", "json-syntax", 1, 9}, "unexpected string literal"},
        {{"Utf16Nul.json", "error", "nul-byte", 1, 3}, "last 4 bytes"},
        {{"Utf16Bad.json", "warning", "not-utf8", 1, 3},
         "2 bytes that are not UTF-16 become U+FFFD here"},
        {{"Deep/Er/Nested.json", "error", "json-syntax", 1, 4}, "unexpected ','"},
        {{"Control.json", "error", "json-syntax", 1, 9}, "U+0009"},
        {{"CutThenBreak.json", "warning", "not-utf8", 1, 8}, "1 byte that is not UTF-8"},
        {{"CutThenBreak.json", "warning", "json-string-line-break", 1, 9}, "string changes"},
        {{"CrInside.json", "warning", "json-string-line-break", 2, 3}, "string changes"},
        {{"CrInside.json", "error", "json-syntax", 3, 6}, "unexpected ']'"},
        {{"NulFirst.json", "error", "nul-byte", 1, 1}, "the last 3 bytes"},
        {{"Huge.json", "warning", "json-number-too-large", 1, 2}, "'1e400'"},
        {{"Huge.json", "warning", "json-number-too-large", 1, 9},
         "'-999999999999999...9999999999999999'"},
        {{"Huge.json", "warning", "json-number-too-large", 1, 730},
         "'9999999999999999...9999999999999999'"},
        {{"TwoBoms.json", "error", "json-syntax", 1, 1}, "starts with U+FEFF"},
        {{"TwoBoms16.json", "error", "json-syntax", 1, 1}, "starts with U+FEFF"},
        {{"Unterminated.json", "error", "json-syntax", 1, 100003},
         "last read: '\"xxxxxxxxxxxxxxx...xxxxxxxxxxxxxxxx'"},
        {{"Joined8.json", "warning", "json-joined-by-line-break", 1, 3}, "run together"},
        {{"Joined8.json", "warning", "json-joined-by-line-break", 2, 2}, "run together"},
        {{"Joined8.json", "warning", "json-joined-by-line-break", 3, 2}, "run together"},
        {{"Joined8.json", "warning", "json-joined-by-line-break", 4, 2}, "run together"},
        {{"Joined8.json", "warning", "json-joined-by-line-break", 5, 2}, "run together"},
        {{"Joined8.json", "warning", "json-joined-by-line-break", 0, 0},
         "a line break between two words or numbers: the same at 3 more places in this file"},
        {{"Strings7.json", "warning", "json-string-line-break", 1, 4}, "string changes"},
        {{"Strings7.json", "warning", "json-string-line-break", 2, 7}, "string changes"},
        {{"Strings7.json", "warning", "json-string-line-break", 3, 7}, "string changes"},
        {{"Strings7.json", "warning", "json-string-line-break", 4, 7}, "string changes"},
        {{"Strings7.json", "warning", "json-string-line-break", 5, 7}, "string changes"},
        {{"Strings7.json", "warning", "json-string-line-break", 0, 0},
         "a line break inside a JSON string: the same at 2 more places in this file"},
        {{"Bidi<U+202E>.json", "error", "json-syntax", 1, 4}, "unexpected ']'"},
        {{"QuoteE.json", "error", "json-syntax", 1, 2}, "last read: '{\xC3\xA9'"},
        {{"QuoteCut.json", "error", "json-syntax", 1, 2}, "last read: '{<0xC3>'"},
        {{"QuoteCut.json", "warning", "not-utf8", 1, 2}, "1 byte that is not UTF-8"},
        {{"QuoteE16.json", "error", "json-syntax", 1, 2}, "last read: '{\xC3\xA9'"},
        {{"QuoteLone16.json", "error", "json-syntax", 1, 2}, "last read: '{<U+D800>'"},
        {{"QuoteLone16.json", "warning", "not-utf8", 1, 2}, "2 bytes that are not UTF-16"},
        {{"QuoteOdd16.json", "error", "json-syntax", 1, 2}, "last read: '{<0x78>'"},
        {{"QuoteOdd16.json", "warning", "not-utf8", 1, 2}, "1 byte that is not UTF-16"},
        {{"QuoteLong16.json", "error", "json-syntax", 1, 103},
         "last read: '\"" + Times(15, "\xC3\xA9") + "..." + Times(16, "\xC3\xA9") + "'"},
    };
#if !defined(_WIN32)
    // Names Windows cannot hold, bytes that are no UTF-8, links and pipes: made on Linux only.
    for (const char* Name :
         {"A|B.json", "CON.json", "lpt9.json", "Conout$", "Tab\tName.json", "Ask?.json",
          "Dot.json.", "Space.json ", "\xFF.json", "C:x.json", "COM\xC2\xB9.json", "lpt\xC2\xB3",
          "Tab\\x09Name.json", "Lt<U+0009>.json"}) {
        Game.WriteFile(Name, "{}");
    }
    // The text ends at byte 0: the file is read no further, and its length is what is lost.
    std::filesystem::resize_file(Game.WriteFile("Sparse.json", ""), 2'000'000'000);
    // A system file that gives its length as 0 and has no end in sight.
    std::filesystem::create_symlink("/proc/self/pagemap", Game.AnimFolder() / "Pagemap.json");
    // The listing shows the top level only: '|' splits a folder's name there, and deeper down it
    // is one more character Windows cannot hold.
    Game.WriteFile("Set|A/Idle.json", "{}");
    Game.WriteFile("Sub/a|b.json", "{}");
    std::filesystem::create_symlink("Nowhere.json", Game.AnimFolder() / "Gone.json");
    // Links to folders are named, not walked: out of the tree, round it, or inside it.
    std::filesystem::create_directory_symlink("/", Game.AnimFolder() / "Root");
    std::filesystem::create_directory_symlink("/proc/self", Game.AnimFolder() / "Self");
    std::filesystem::create_directory_symlink(".", Game.AnimFolder() / "Loop");
    std::filesystem::create_directory_symlink("..", Game.AnimFolder() / "Deep" / "Up");
    std::filesystem::create_directory_symlink("Deep/Er", Game.AnimFolder() / "Inside");
    ASSERT_EQ(::mkfifo((Game.AnimFolder() / "Pipe.json").c_str(), 0600), 0);
    const std::vector<Expected> LinuxCases = {
        {{"A|B.json", "error", "name-bar", 0, 0}, "into \"A\" and \"B.json\""},
        {{"CON.json", "error", "name-device", 0, 0}, "device CON"},
        {{"lpt9.json", "error", "name-device", 0, 0}, "device lpt9"},
        {{"Conout$", "error", "name-device", 0, 0}, "device Conout$"},
        {{"Conout$", "warning", "not-json-name", 0, 0}, ".json"},
        {{"Tab<U+0009>Name.json", "error", "name-windows-character", 0, 0}, "U+0009"},
        {{"Tab\\x09Name.json", "error", "name-windows-character", 0, 0}, "'\\'"},
        {{"Lt<U+003C>U+0009>.json", "error", "name-windows-character", 0, 0}, "'<' and '>'"},
        {{"COM\xC2\xB9.json", "error", "name-device", 0, 0}, "device COM\xC2\xB9"},
        {{"lpt\xC2\xB3", "error", "name-device", 0, 0}, "device lpt\xC2\xB3"},
        {{"lpt\xC2\xB3", "warning", "not-json-name", 0, 0}, ".json"},
        {{"Sparse.json", "error", "nul-byte", 1, 1}, "loses the last 2000000000 bytes"},
        {{"Pagemap.json", "error", "nul-byte", 1, 1}, "loses the rest of the file"},
        {{"Ask?.json", "error", "name-windows-character", 0, 0}, "'?'"},
        {{"Dot.json.", "error", "name-trailing-dot-or-space", 0, 0}, "ends in a dot"},
        {{"Dot.json.", "warning", "not-json-name", 0, 0}, ".json"},
        {{"Space.json ", "error", "name-trailing-dot-or-space", 0, 0}, "ends in a space"},
        {{"Space.json ", "warning", "not-json-name", 0, 0}, ".json"},
        {{"<0xFF>.json", "error", "name-not-utf8", 0, 0}, "\"\xEF\xBF\xBD.json\""},
        // The mod's log line, quoted whole and without its line feed.
        {{"<0xFF>.json", "error", "read-failed", 0, 0},
         "\"QVH_MotionArchive : Animation file not found: \xEF\xBF\xBD.json\""},
        {{"Gone.json", "error", "read-failed", 0, 0},
         "\"QVH_MotionArchive : Animation file not found: Gone.json\""},
        {{"C:x.json", "error", "name-windows-character", 0, 0}, "':'"},
        {{"C:x.json", "error", "read-failed", 0, 0}, "Refused a file name"},
        // A FIFO is refused with the device line.
        {{"Pipe.json", "error", "read-failed", 0, 0}, "names a device, not a file: Pipe.json"},
        {{"Set|A", "error", "name-bar", 0, 0}, "into \"Set\" and \"A\""},
        {{"Sub/a|b.json", "error", "name-windows-character", 0, 0}, "'|'"},
        {{"Root", "warning", "link-leaves-folder", 0, 0}, "outside the animation folder"},
        {{"Self", "warning", "link-leaves-folder", 0, 0}, "outside the animation folder"},
        {{"Loop", "warning", "link-cycle", 0, 0}, "a folder that holds it"},
        {{"Deep/Up", "warning", "link-cycle", 0, 0}, "a folder that holds it"},
        {{"Inside", "warning", "link-inside-folder", 0, 0}, "checks that folder where it is"},
    };
    Cases.insert(Cases.end(), LinuxCases.begin(), LinuxCases.end());
#endif

    const ProgramResult Text = Check();
    const ProgramResult AsJson = Check({"--format", "json"});
    ASSERT_EQ(AsJson.ExitCode, 3) << AsJson.Err;
    const nlohmann::json Report = nlohmann::json::parse(AsJson.Out);
    std::vector<Found> Wanted;
    for (const Expected& E : Cases) {
        Wanted.push_back(E.What);
    }
    std::vector<Found> Got = FindingsOf(Report);
    std::sort(Wanted.begin(), Wanted.end());
    std::sort(Got.begin(), Got.end());
    EXPECT_EQ(Got, Wanted);
    for (const Expected& E : Cases) {
        const auto& [Name, Kind, Check, Line, Column] = E.What;
        SCOPED_TRACE(Name + " " + Check);
        // In text: one line each, the place first where there is one.
        std::string Prefix = Name + ": " + Kind + ": ";
        if (Line != 0) {
            Prefix += "line " + std::to_string(Line) + ", column " + std::to_string(Column) + ": ";
        }
        const std::vector<std::string> TextLines = Lines(Text.Out);
        EXPECT_TRUE(std::any_of(TextLines.begin(), TextLines.end(), [&](const std::string& L) {
            return L.starts_with(Prefix) && L.find(E.Part) != std::string::npos;
        })) << Text.Out;
        const std::vector<Found> All = FindingsOf(Report);
        for (std::size_t I = 0; I < All.size(); ++I) {
            if (All[I] == E.What) {
                const std::string Said = Report.at("findings")[I].at("text");
                EXPECT_NE(Said.find(E.Part), std::string::npos) << Said;
            }
        }
    }
    // Every line is short, whatever the file quotes, and in the check's own words.
    for (const std::string& Line : Lines(Text.Out)) {
        EXPECT_LT(Line.size(), 300u) << Line.substr(0, 300);
        EXPECT_EQ(Line.find("json.exception"), std::string::npos) << Line;
    }
    const auto Errors = std::count_if(Cases.begin(), Cases.end(), [](const Expected& E) {
        return std::get<1>(E.What) == "error";
    });
    const std::size_t Entries = Report.at("entries").size();
    EXPECT_EQ(Text.ExitCode, 3);
    EXPECT_TRUE(Text.Out.ends_with("\n" + std::to_string(Entries) + " entries, " +
                                   std::to_string(Errors) + " errors, " +
                                   std::to_string(Cases.size() - Errors) + " warnings\n"))
        << Text.Out;
    EXPECT_EQ(Lines(Text.Out).size(), Cases.size() + 1);
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
