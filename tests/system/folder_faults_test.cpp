// The animation folder misbehaving under the Blueprint's calls: gone, locked, changing between
// and during calls, or very large. Each call answers with what is there or with the empty string
// and one log line, and never with anything from outside the folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#ifndef _WIN32
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "tests/support/captured_log.hpp"
#include "tests/support/comms_call_block.hpp"
#include "tests/support/engine_text.hpp"
#include "tests/support/game_folder.hpp"
#include "text/to_utf8.hpp"

namespace {

namespace fs = std::filesystem;
using QVH::Test::CommsCallBlock;

RC::StringType Call(std::int32_t CallType, const RC::StringType& Payload) {
    CommsCallBlock Block(CallType, Payload);
    QVH::Test::Dispatch(Block);
    return Block.PayloadUnits();
}

RC::StringType Ascii(const std::string& Text) { return RC::StringType(Text.begin(), Text.end()); }

class FolderFaultsTest : public ::testing::Test {
protected:
    QVH::Test::GameFolder Game;
    QVH::Test::CapturedLog Log;
};

TEST_F(FolderFaultsTest, AReadWithTheFolderGoneGivesTheEmptyStringAndOneLine) {
    Game.RemoveAnimFolder();
    EXPECT_EQ(Call(2, STR("Idle.json")), STR(""));
    EXPECT_EQ(Log.Texts(), std::vector<RC::StringType>{
                               STR("QVH_MotionArchive : Animation file not found: Idle.json\n")});
}

TEST_F(FolderFaultsTest, AFileDeletedBetweenListingAndReadingReadsAsMissing) {
    Game.WriteFile("Idle.json", "{\"Idle\": 1}");
    Game.WriteFile("Walk.json", "{\"Walk\": 2}");
    const std::vector<RC::StringType> Listed = QVH::Test::Entries(Call(1, STR("")));
    ASSERT_EQ(Listed.size(), 2u);

    fs::remove(Game.AnimFolder() / "Walk.json");

    EXPECT_EQ(Call(2, STR("Walk.json")), STR(""));
    EXPECT_EQ(Call(2, STR("Idle.json")), STR("{\"Idle\": 1}"));
    EXPECT_EQ(Log.Texts(), std::vector<RC::StringType>{
                               STR("QVH_MotionArchive : Animation file not found: Walk.json\n")});
}

TEST_F(FolderFaultsTest, AFileGrowingWhileReadGivesAWholePrefixOfIt) {
    // Numbered lines: any answer must be the start of the final text, and answers only grow.
    const auto Line = [](int N) {
        char Text[32];
        std::snprintf(Text, sizeof(Text), "line %06d;\r\n", N);
        return std::string(Text);
    };
    constexpr int InitialLines = 40000;  // about half a megabyte, so a read takes a while
    constexpr int AddedLines = 60000;
    std::string Initial;
    for (int N = 0; N < InitialLines; ++N) {
        Initial += Line(N);
    }
    Game.WriteFile("Growing.json", Initial);
    std::string Final = Initial;
    for (int N = InitialLines; N < InitialLines + AddedLines; ++N) {
        Final += Line(N);
    }
    std::erase(Final, '\r');
    std::erase(Final, '\n');
    const RC::StringType Expected = Ascii(Final);

    std::atomic<bool> Done{false};
    std::thread Writer([&] {
        std::ofstream Out(Game.AnimFolder() / "Growing.json", std::ios::binary | std::ios::app);
        for (int N = InitialLines; N < InitialLines + AddedLines; N += 500) {
            std::string Chunk;
            for (int I = N; I < N + 500; ++I) {
                Chunk += Line(I);
            }
            Out.write(Chunk.data(), std::streamsize(Chunk.size()));
            Out.flush();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        Done.store(true);
    });
    int Answers = 0;
    std::size_t Previous = 0;
    const auto Check = [&](const RC::StringType& Answer) {
        ++Answers;
        EXPECT_TRUE(Expected.starts_with(Answer)) << "answer of " << Answer.size() << " units";
        // Each read begins after the one before ended, so it sees at least as much.
        EXPECT_GE(Answer.size(), Previous);
        Previous = Answer.size();
    };
    while (!Done.load()) {
        Check(Call(2, STR("Growing.json")));
    }
    Writer.join();
    Check(Call(2, STR("Growing.json")));

    EXPECT_EQ(Previous, Expected.size());
    std::printf("%d reads while the file grew from %zu to %zu bytes\n", Answers, Initial.size(),
                Final.size() + 2 * std::size_t{InitialLines + AddedLines});
    EXPECT_TRUE(Log.Texts().empty());
}

TEST_F(FolderFaultsTest, AFolderOfTenThousandEntriesIsListedWholeAndEachEntryReads) {
    constexpr int Entries = 10000;
    std::set<RC::StringType> Expected;
    for (int I = 0; I < Entries; ++I) {
        char Name[32];
        std::snprintf(Name, sizeof(Name), "Anim_%05d.json", I);
        std::ofstream(Game.AnimFolder() / Name, std::ios::binary) << I;
        Expected.insert(Ascii(Name));
    }

    const std::vector<RC::StringType> Listed = QVH::Test::Entries(Call(1, STR("")));

    EXPECT_EQ(Listed.size(), std::size_t{Entries});
    EXPECT_EQ(std::set<RC::StringType>(Listed.begin(), Listed.end()), Expected);
    for (const int I : {0, 4321, Entries - 1}) {
        char Name[32];
        std::snprintf(Name, sizeof(Name), "Anim_%05d.json", I);
        EXPECT_EQ(Call(2, Ascii(Name)), Ascii(std::to_string(I)));
    }
    EXPECT_TRUE(Log.Texts().empty());
}

#ifndef _WIN32
// Runs Check where permission bits apply: in this process when it is not privileged, otherwise in
// a child process that has become the user "nobody" (the root of a CI machine reads everything).
// Check's verdict, or nothing when no unprivileged user could be had.
std::optional<bool> WherePermissionsApply(const std::function<bool()>& Check) {
    if (::geteuid() != 0) {
        return Check();
    }
    std::fflush(nullptr);
    const pid_t Child = ::fork();
    if (Child == 0) {
        constexpr gid_t Nobody = 65534;
        if (::setgroups(0, nullptr) != 0 || ::setgid(Nobody) != 0 || ::setuid(Nobody) != 0) {
            ::_exit(2);
        }
        ::_exit(Check() ? 0 : 1);
    }
    int Status = 0;
    if (Child < 0 || ::waitpid(Child, &Status, 0) != Child) {
        return std::nullopt;
    }
    if (WIFEXITED(Status) && WEXITSTATUS(Status) == 2) {
        return std::nullopt;
    }
    return WIFEXITED(Status) && WEXITSTATUS(Status) == 0;
}

// Prints what a check saw; a child process has no other way to tell.
bool Report(bool Holds, const char* What, const RC::StringType& Payload,
            const std::vector<RC::StringType>& Lines) {
    if (!Holds) {
        std::fprintf(stderr, "%s: Payload \"%s\", %zu line(s)%s%s\n", What,
                     QVH::ToUtf8Lossy(Payload).c_str(), Lines.size(), Lines.empty() ? "" : ": ",
                     Lines.empty() ? "" : QVH::ToUtf8Lossy(Lines.back()).c_str());
    }
    return Holds;
}

class LockedFolderTest : public FolderFaultsTest {
protected:
    void SetUp() override {
        Game.WriteFile("Idle.json", "{\"Idle\": 1}");
        Game.WriteFile("Locked.json", "{\"Locked\": 2}");
        // Everyone may reach the folder, as in an installed game; only the locks below stop them.
        for (fs::path Folder = Game.AnimFolder(); Folder != Game.Root().parent_path();
             Folder = Folder.parent_path()) {
            fs::permissions(Folder, fs::perms(0755));
        }
        fs::permissions(Game.Root() / "Binaries", fs::perms(0755));
        fs::permissions(Game.Root() / "Binaries" / "Win64", fs::perms(0755));
    }
    void TearDown() override {
        // Unlocked again, so the game folder can be removed.
        fs::permissions(Game.AnimFolder(), fs::perms(0755), Ignored);
        fs::permissions(Game.AnimFolder() / "Locked.json", fs::perms(0644), Ignored);
    }

    std::error_code Ignored;
};

TEST_F(LockedFolderTest, AnUnreadableFileGivesTheEmptyStringAndOneLine) {
    fs::permissions(Game.AnimFolder() / "Locked.json", fs::perms::none);

    const std::optional<bool> Refused = WherePermissionsApply([this] {
        const std::size_t Before = Log.Texts().size();
        const RC::StringType Content = Call(2, STR("Locked.json"));
        const auto Lines = Log.Texts();
        return Report(Content.empty() && Lines.size() == Before + 1 &&
                          Lines.back() ==
                              STR("QVH_MotionArchive : Could not open animation file: Locked.json "
                                  "(Permission denied)\n"),
                      "locked file", Content, Lines);
    });
    if (Refused) {
        EXPECT_TRUE(*Refused);
    } else {
        std::printf("no unprivileged user to be had: checked as a privileged one only\n");
    }
    if (::geteuid() == 0) {
        // The lock does not hold for a privileged user: the file reads as it is.
        EXPECT_EQ(Call(2, STR("Locked.json")), STR("{\"Locked\": 2}"));
    }
}

TEST_F(LockedFolderTest, AnUnreadableFolderKeepsThePayloadOrGivesTheEmptyStringWithOneLine) {
    fs::permissions(Game.AnimFolder(), fs::perms::none);

    // The listing keeps Payload and logs one line; a read gives the empty string and one line.
    const std::optional<bool> Refused = WherePermissionsApply([this] {
        const std::size_t Before = Log.Texts().size();
        const RC::StringType Listing = Call(1, STR("kept"));
        const RC::StringType Content = Call(2, STR("Idle.json"));
        const auto Lines = Log.Texts();
        return Report(
            Listing == STR("kept") && Content.empty() && Lines.size() == Before + 2 &&
                Lines[Before] == STR("QVH_MotionArchive : Could not list the animation folder: "
                                     "../../Content/Paks/~Mods/AnimJSON (Permission denied)\n") &&
                Lines[Before + 1] ==
                    STR("QVH_MotionArchive : Could not open animation file: Idle.json "
                        "(Permission denied)\n"),
            "locked folder", Listing + STR(" / ") + Content, Lines);
    });
    if (Refused) {
        EXPECT_TRUE(*Refused);
    } else {
        std::printf("no unprivileged user to be had: checked as a privileged one only\n");
    }
    if (::geteuid() == 0) {
        // The lock does not hold for a privileged user: the folder lists and reads as it is.
        std::vector<RC::StringType> Listed = QVH::Test::Entries(Call(1, STR("kept")));
        std::sort(Listed.begin(), Listed.end());
        EXPECT_EQ(Listed, (std::vector<RC::StringType>{STR("Idle.json"), STR("Locked.json")}));
        EXPECT_EQ(Call(2, STR("Idle.json")), STR("{\"Idle\": 1}"));
        EXPECT_TRUE(Log.Texts().empty());
    }
}
#endif

}  // namespace
