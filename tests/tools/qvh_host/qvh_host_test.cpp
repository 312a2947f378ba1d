// qvh-host as a modder runs it: a separate process on a game folder, judged by its output and
// exit status alone.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "StandIn/ProgramFolder.hpp"
#include "tests/support/game_folder.hpp"
#include "tests/support/run_program.hpp"
#include "tests/support/wait_until.hpp"

namespace {

using QVH::Test::ProgramResult;

const std::string StartUpLine = "QVH_MotionArchive C++ Side Initialized!\n";
// The mod's line at uninstall_mod, once it has hooked.
const std::string UninstallLine =
    "QVH_MotionArchive : The library stays loaded until the game ends, and its CPPCommsCall "
    "hooks now do nothing: a changed DLL takes effect at the next start of the game\n";
const std::string InvalidLine =
    "QVH_MotionArchive : CPPCommsCall received but CallType was invalid.\n";

std::string Utf8(const std::filesystem::path& Path) {
    const std::u8string Text = Path.u8string();
    return std::string(Text.begin(), Text.end());
}

bool Contains(const std::string& Text, const std::string& Part) {
    return Text.find(Part) != std::string::npos;
}

class QvhHostTest : public ::testing::Test {
protected:
    // qvh-host on the temporary game; Arguments come after --cwd.
    ProgramResult Host(std::vector<std::string> Arguments) const {
        Arguments.insert(Arguments.begin(), {"--cwd", Utf8(Game.Root() / "Binaries" / "Win64")});
        return HostAsIs(Arguments);
    }
    static ProgramResult HostAsIs(const std::vector<std::string>& Arguments) {
        return QVH::Test::RunProgram(StandIn::ProgramFolder() / QVH_HOST_FILE_NAME, Arguments);
    }

    QVH::Test::GameFolder Game;
};

TEST_F(QvhHostTest, ListPrintsTheListingAndTheLogGoesToStderr) {
    Game.WriteFile("Idle.json", "{}");

    const ProgramResult Run = Host({"list"});

    EXPECT_EQ(Run.ExitCode, 0) << Run.Err;
    EXPECT_EQ(Run.Out, "Idle.json\n");
    EXPECT_EQ(Run.Err, StartUpLine + UninstallLine);
}

TEST_F(QvhHostTest, NonAsciiNamesAndTextArriveIntact) {
    Game.WriteFile(u8"R\u00e9v\u00e9rence.json", "{\"Name\": \"R\xC3\xA9v\xC3\xA9rence\"}\r\n");

    const ProgramResult List = Host({"list"});
    const ProgramResult Read = Host({"read", "R\xC3\xA9v\xC3\xA9rence.json"});
    const ProgramResult Units = Host({"--format", "units", "list"});

    EXPECT_EQ(List.Out, "R\xC3\xA9v\xC3\xA9rence.json\n");
    EXPECT_EQ(Read.Out, "{\"Name\": \"R\xC3\xA9v\xC3\xA9rence\"}\n");
    EXPECT_EQ(Units.Out, "0052 00e9 0076 00e9 0072 0065 006e 0063 0065 002e 006a 0073 006f 006e\n");
    EXPECT_EQ(Read.Err, StartUpLine + UninstallLine);
}

TEST_F(QvhHostTest, ArgumentsOutsideTheAnsiCodePageReachTheModAndComeBackAsUtf8) {
    // A game in a folder whose name no Western code page holds, and a file named likewise: on
    // Windows only the wide command line carries them.
    const std::string Name =
        "\xE8\xB7\xB3\xE8\x88\x9E\xF0\x9F\x98\x80.json";  // U+8DF3 U+821E U+1F600
    const std::filesystem::path Root =
        Game.Root() / std::filesystem::path(u8"\u6E38\u620F \u00E9\U0001F3AE");
    const std::filesystem::path Binaries = Root / "Binaries" / "Win64";
    const std::filesystem::path Anim = Root / "Content" / "Paks" / "~Mods" / "AnimJSON";
    std::filesystem::create_directories(Binaries);
    std::filesystem::create_directories(Anim);
    std::ofstream(Anim / std::filesystem::path(std::u8string(Name.begin(), Name.end())),
                  std::ios::binary)
        << "{\"Name\": \"" << Name << "\"}\r\n";
    const std::string Missing = "\xE7\xBC\xBA.json";  // U+7F3A

    const ProgramResult List = HostAsIs({"--cwd", Utf8(Binaries), "list"});
    const ProgramResult Read = HostAsIs({"--cwd", Utf8(Binaries), "read", Name});
    const ProgramResult Units = HostAsIs({"--cwd", Utf8(Binaries), "--format", "units", "list"});
    const ProgramResult Absent = HostAsIs({"--cwd", Utf8(Binaries), "read", Missing});
    const ProgramResult NoFolder = HostAsIs({"--cwd", Utf8(Root / "Nowhere"), "list"});

    EXPECT_EQ(List.ExitCode, 0) << List.Err;
    EXPECT_EQ(List.Out, Name + "\n");
    EXPECT_EQ(Read.ExitCode, 0) << Read.Err;
    EXPECT_EQ(Read.Out, "{\"Name\": \"" + Name + "\"}\n");
    EXPECT_EQ(Read.Err, StartUpLine + UninstallLine);
    EXPECT_EQ(Units.Out, "8df3 821e d83d de00 002e 006a 0073 006f 006e\n");
    // The log line names the file in UTF-8 as well.
    EXPECT_EQ(Absent.Out, "\n");
    EXPECT_EQ(Absent.Err, StartUpLine + "QVH_MotionArchive : Animation file not found: " + Missing +
                              "\n" + UninstallLine);
    EXPECT_EQ(NoFolder.ExitCode, 2);
    EXPECT_TRUE(Contains(NoFolder.Err, Utf8(Root / "Nowhere"))) << NoFolder.Err;
}

TEST_F(QvhHostTest, ReadPrintsTheContentAsTheBlueprintFindsIt) {
    Game.WriteFile("Pose.json", "{\r\n  \"Frame\": 1\r\n}\r\n");
    Game.WriteFile("Hi.json", "Hi\r\n");
    struct Case {
        std::vector<std::string> Arguments;
        std::string Out;
    } Cases[] = {
        {{"read", "Pose.json"}, "{  \"Frame\": 1}\n"},
        {{"--format", "units", "read", "Hi.json"}, "0048 0069\n"},
        {{"read", "Hi.json", "--format=units"}, "0048 0069\n"},
        {{"read", "Missing.json"}, "\n"},
        // A name that is not valid text gives "", not itself.
        {{"--input", "units", "read", "D83D 0041"}, "\n"},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Arguments.back());
        const ProgramResult Run = Host(C.Arguments);
        EXPECT_EQ(Run.ExitCode, 0) << Run.Err;
        EXPECT_EQ(Run.Out, C.Out);
    }
}

#if !defined(_WIN32)
TEST_F(QvhHostTest, OutputThatCannotBeWrittenFailsWithStatus1) {
    const std::string Program = Utf8(StandIn::ProgramFolder() / QVH_HOST_FILE_NAME);
    const std::string Cwd = Utf8(Game.Root() / "Binaries" / "Win64");
    for (const std::string Redirect : {">/dev/full", ">&-"}) {
        for (const std::string Command : {"list", "--help", "check"}) {
            SCOPED_TRACE(Command + " " + Redirect);
            const ProgramResult Run = QVH::Test::RunProgram(
                "/bin/sh",
                {"-c", "exec \"$0\" \"$@\" " + Redirect, Program, "--cwd", Cwd, Command});
            EXPECT_EQ(Run.ExitCode, 1);
            EXPECT_TRUE(Contains(Run.Err, "qvh-host: cannot write the output: ")) << Run.Err;
        }
    }
}
#endif

TEST_F(QvhHostTest, InvalidCallTypesLeaveTheTextAndLogOneLine) {
    struct Case {
        std::vector<std::string> Arguments;
        std::string Out;
    } Cases[] = {
        {{"call", "0", "hello"}, "hello\n"},
        {{"call", "3", "hello"}, "hello\n"},
        {{"call", "-1"}, "\n"},
        {{"call", "2147483647", "R\xC3\xA9v\xC3\xA9rence \xF0\x9F\x98\x80"},
         "R\xC3\xA9v\xC3\xA9rence \xF0\x9F\x98\x80\n"},
        {{"--format", "units", "call", "9", "\xC3\xA9\xF0\x9F\x98\x80"}, "00e9 d83d de00\n"},
        // Units carry any engine string, NULs and lone surrogates too.
        {{"--input=units", "--format", "units", "call", "9", "0061 0000 D83D 0062"},
         "0061 0000 d83d 0062\n"},
        // After "--" a text may look like an option.
        {{"call", "5", "--", "--cwd"}, "--cwd\n"},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Arguments[1]);
        const ProgramResult Run = Host(C.Arguments);
        EXPECT_EQ(Run.ExitCode, 0) << Run.Err;
        EXPECT_EQ(Run.Out, C.Out);
        EXPECT_EQ(Run.Err, StartUpLine + InvalidLine + UninstallLine);
    }
}

TEST_F(QvhHostTest, AMissingFolderKeepsThePayloadAndTheFailureIsLogged) {
    Game.RemoveAnimFolder();

    const ProgramResult Empty = Host({"list"});
    const ProgramResult Kept = Host({"call", "1", "keep"});

    EXPECT_EQ(Empty.ExitCode, 0);
    EXPECT_EQ(Empty.Out, "\n");
    EXPECT_TRUE(Contains(Empty.Err,
                         "\nQVH_MotionArchive : Animation folder not found: "
                         "../../Content/Paks/~Mods/AnimJSON\n"))
        << Empty.Err;
    EXPECT_EQ(Kept.ExitCode, 0);
    EXPECT_EQ(Kept.Out, "keep\n");
}

TEST_F(QvhHostTest, ALoadDelayIsWaitedOut) {
    Game.WriteFile("Idle.json", "{}");

    const auto Start = std::chrono::steady_clock::now();
    const ProgramResult Run = Host({"--load-delay", "0.3", "list"});
    const auto Took = QVH::Test::MillisecondsSince(Start);

    EXPECT_EQ(Run.ExitCode, 0) << Run.Err;
    EXPECT_EQ(Run.Out, "Idle.json\n");
    // Not there at the mod's first lookup; found at the next one, a second later.
    EXPECT_GE(Took, 950);
    EXPECT_LT(Took, 3000);
}

TEST_F(QvhHostTest, AFunctionNeverHookedInTimeFailsWithStatus1) {
    const ProgramResult Run = Host({"--load-delay", "60", "--hook-timeout", "0.2", "list"});

    EXPECT_EQ(Run.ExitCode, 1);
    EXPECT_EQ(Run.Out, "");
    EXPECT_TRUE(Contains(Run.Err, "did not hook CPPCommsCall within 0.2 s")) << Run.Err;
}

TEST_F(QvhHostTest, AModThatCannotBeLoadedFailsWithStatus1) {
    const auto NotALibrary = Game.WriteFile("NotALibrary.json", "{}");
    for (const auto& Path : {Game.Root() / "missing" / QVH_MOD_FILE_NAME, NotALibrary}) {
        for (const char* Command : {"list", "check", "--version"}) {
            SCOPED_TRACE(Utf8(Path) + " " + Command);
            const ProgramResult Run = Host({"--mod", Utf8(Path), Command});
            EXPECT_EQ(Run.ExitCode, 1);
            EXPECT_EQ(Run.Out, "");
            EXPECT_TRUE(Contains(Run.Err, "qvh-host: cannot load the mod")) << Run.Err;
        }
    }
}

TEST_F(QvhHostTest, ARelativeModPathIsTakenFromWhereQvhHostWasStarted) {
    Game.WriteFile("Idle.json", "{}");
    // A copy of the library in the game's root, named from there, where qvh-host starts; --cwd
    // goes two folders down, where the same path would miss. (A copy: the build and the
    // temporary game may lie on different drives, with no relative path between them.)
    std::filesystem::create_directories(Game.Root() / "Mods");
    std::filesystem::copy_file(StandIn::ProgramFolder() / QVH_MOD_FILE_NAME,
                               Game.Root() / "Mods" / QVH_MOD_FILE_NAME);
    const auto Binaries = std::filesystem::current_path();
    std::filesystem::current_path(Game.Root());

    const ProgramResult Run =
        Host({"--mod", Utf8(std::filesystem::path("Mods") / QVH_MOD_FILE_NAME), "list"});
    std::filesystem::current_path(Binaries);

    EXPECT_EQ(Run.ExitCode, 0) << Run.Err;
    EXPECT_EQ(Run.Out, "Idle.json\n");
}

TEST_F(QvhHostTest, UsageErrorsGiveStatus2AndNoCall) {
    const std::vector<std::string> Bad[] = {
        {"bogus"},                         // no such command
        {"read"},                          // no NAME
        {"call"},                          // no TYPE
        {"call", "two"},                   // TYPE not a number
        {"call", "2147483648"},            // TYPE beyond 32 bits
        {"call", "1", "a", "b"},           // one TEXT at most
        {"list", "extra"},                 // list takes nothing
        {"--format", "hex", "list"},       // no such format
        {"--format", "json", "list"},      // json is the check's report
        {"--format", "units", "check"},    // a check prints no Payload
        {"check", "extra"},                // check takes nothing
        {"--load-delay", "-1", "list"},    // negative time
        {"--load-delay", "soon", "list"},  // not a number
        {"--load-delay"},                  // no value
        {"--help=yes"},                    // no value for a flag
        {"--input", "hex", "list"},        // no such input
        {"--input=units", "read", "48"},   // units have four digits
#if !defined(_WIN32)
        // A Windows command line is UTF-16 and cannot carry this.
        {"read", "\xC3"},  // NAME is not UTF-8
#endif
        {"--cwd", "/no/such/folder", "list"},  // no such working directory
        {"--mod", "", "list"},                 // no library, not the built-in one
        // What is echoed is escaped as the mod's log lines escape names: none forges a line.
        {"bogus\nQVH_MotionArchive : forged"},
        {"--format", "x\r\nQVH_MotionArchive : forged", "list"},
        {"--cwd", "/no/such\nQVH_MotionArchive : forged", "list"},
        {"--input=units", "read", "\xE2\x80\xA8QVH_MotionArchive : forged"},
    };
    for (const auto& Arguments : Bad) {
        SCOPED_TRACE(Arguments[0] + (Arguments.size() > 1 ? " " + Arguments[1] : ""));
        const ProgramResult Run = HostAsIs(Arguments);
        EXPECT_EQ(Run.ExitCode, 2);
        EXPECT_EQ(Run.Out, "");
        EXPECT_TRUE(Run.Err.starts_with("qvh-host: ")) << Run.Err;
        EXPECT_FALSE(Contains(Run.Err, StartUpLine)) << Run.Err;
        EXPECT_FALSE(Contains(Run.Err, "\nQVH_MotionArchive")) << Run.Err;
        EXPECT_FALSE(Contains(Run.Err, "\xE2\x80\xA8")) << Run.Err;
    }
    // An option qvh-host does not know is one wherever it stands, and takes no value with it.
    const std::vector<std::string> Unknown[] = {{"--colour", "list"},
                                                {"list", "--colour"},
                                                {"-x", "list"},
                                                {"read", "-x"},
                                                {"call", "1", "-h1"}};
    for (const auto& Arguments : Unknown) {
        const ProgramResult Run = HostAsIs(Arguments);
        EXPECT_EQ(Run.ExitCode, 2);
        EXPECT_TRUE(Run.Err.starts_with("qvh-host: unknown option \"-")) << Run.Err;
    }
    const ProgramResult Forged = HostAsIs({"bogus\nQVH_MotionArchive : forged"});
    EXPECT_TRUE(Forged.Err.starts_with(
        "qvh-host: unknown command \"bogus<U+000A>QVH_MotionArchive : forged\"\nusage: "))
        << Forged.Err;
}

TEST_F(QvhHostTest, HelpPrintsTheUsageAndVersionTheModsVersion) {
    const struct {
        std::vector<std::string> Arguments;
        std::string Out;  // its start
    } Cases[] = {
        {{"--help"}, "usage: qvh-host"},
        {{"-h"}, "usage: qvh-host"},
        {{"list", "-h"}, "usage: qvh-host"},
        // The version the mod object carries, the mod loaded for it.
        {{"--version"}, "0.0.1\n"},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Arguments.back());
        const ProgramResult Run = HostAsIs(C.Arguments);
        EXPECT_EQ(Run.ExitCode, 0) << Run.Err;
        EXPECT_TRUE(Run.Out.starts_with(C.Out)) << Run.Out;
    }
}

TEST_F(QvhHostTest, WithoutCwdTheBundledSampleGameIsUsed) {
    const ProgramResult Run = HostAsIs({"list"});

    EXPECT_EQ(Run.ExitCode, 0) << Run.Err;
    EXPECT_TRUE(Contains(Run.Out, "Walk_Cycle.json")) << Run.Out;
    EXPECT_TRUE(Contains(Run.Out, "Gestures")) << Run.Out;
}

TEST_F(QvhHostTest, TheDemoListsAndReadsEverySampleFile) {
    const ProgramResult Run = HostAsIs({"--load-delay", "0"});

    ASSERT_EQ(Run.ExitCode, 0) << Run.Err;
    // The listing first, then one line per file, the sub-folder's included, then the invalid call.
    EXPECT_TRUE(Run.Out.starts_with("Idle_Breathing.json|") ||
                Contains(Run.Out.substr(0, Run.Out.find('\n')), "|Idle_Breathing.json"))
        << Run.Out;
    EXPECT_TRUE(Contains(Run.Out.substr(0, Run.Out.find('\n')), "R\xC3\xA9v\xC3\xA9rence.json"))
        << Run.Out;
    EXPECT_TRUE(Contains(Run.Out, "\n{  \"Name\": \"Walk_Cycle\",")) << Run.Out;
    EXPECT_TRUE(Contains(Run.Out, "\"DisplayName\": \"R\xC3\xA9v\xC3\xA9rence (curtsy)\""))
        << Run.Out;
    EXPECT_TRUE(Contains(Run.Out, "\n{  \"Name\": \"Wave_Hello\",")) << Run.Out;
    EXPECT_TRUE(Run.Out.ends_with("\nnot for the mod\n")) << Run.Out;
    EXPECT_TRUE(Contains(Run.Err, "CPPCommsCall hooked")) << Run.Err;
    EXPECT_TRUE(Contains(Run.Err, InvalidLine)) << Run.Err;
    // The story on stderr: each call as the widget makes it, its Payload quoted once.
    for (const char* Line : {
             "\nqvh-host: engine ready; the game loads the widget QVH_SuperWidget in 0.0 s,",
             "\nqvh-host: the widget calls CPPCommsCall(1, \"\"); the Blueprint body finds in "
             "Payload:\n",
             "\nqvh-host: the widget calls CPPCommsCall(2, \"Idle_Breathing.json\"); the Blueprint "
             "body finds in Payload:\n",
             "\nqvh-host: the widget calls CPPCommsCall(2, \"Gestures/Wave_Hello.json\"); the "
             "Blueprint body finds in Payload:\n",
             "\nqvh-host: the widget calls CPPCommsCall(7, \"not for the mod\"); the Blueprint "
             "body finds in Payload:\n",
             "\nqvh-host: uninstall_mod, then the host frees the library, as a restart of all "
             "mods does\n",
         }) {
        EXPECT_TRUE(Contains(Run.Err, Line)) << Line << "\n" << Run.Err;
    }
}

}  // namespace
