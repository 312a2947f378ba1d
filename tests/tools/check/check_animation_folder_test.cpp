// The folder check with the mod's side played by the test: the calls it makes, and what it makes
// of answers that a run through the built mod cannot bring about at will (a listing that leaves a
// file out, a read that logs twice).
#include "tools/check/check_animation_folder.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "bridge/comms_call_params.hpp"
#include "tests/support/game_folder.hpp"

#if !defined(_WIN32)
#include <sys/stat.h>
#endif

namespace {

using QVH::Check::CommsCallResult;
using Findings = std::vector<std::pair<std::string, std::string>>;

Findings EntriesAndChecks(const QVH::Check::CheckReport& Report) {
    Findings Found;
    for (const QVH::Check::Finding& F : Report.Findings) {
        Found.emplace_back(Report.NameOf(F.Entry), std::string(QVH::Check::SortOf(F.Id).Name));
    }
    return Found;
}

struct Call {
    std::int32_t CallType;
    RC::StringType Payload;
    bool operator==(const Call&) const = default;
};

TEST(CheckAnimationFolderTest, ListsOnceAndReadsEachFileByTheNameAReadTakes) {
    QVH::Test::GameFolder Game;
    Game.WriteFile("Idle.json", "{}");
    Game.WriteFile("Sub/Wave.json", "[1]");
    std::vector<Call> Calls;

    const auto Report = QVH::Check::CheckAnimationFolder(
        [&Calls](std::int32_t CallType, const RC::StringType& Payload) {
            Calls.push_back({CallType, Payload});
            return CommsCallResult{CallType == QVH::ListCallType ? STR("Idle.json|Sub") : STR("{}"),
                                   {}};
        });

    EXPECT_EQ(Calls, (std::vector<Call>{{QVH::ListCallType, STR("")},
                                        {QVH::ReadCallType, STR("Idle.json")},
                                        {QVH::ReadCallType, STR("Sub/Wave.json")}}));
    EXPECT_TRUE(Report.Findings.empty());
}

TEST(CheckAnimationFolderTest, JudgesWhatTheModAnswers) {
    struct Case {
        const char* Name;
        CommsCallResult Listing;
        CommsCallResult Read;  // every read's answer
        Findings Wanted;       // each finding's entry and check
        std::string Part;      // of the first finding's text
    } Cases[] = {
        {"a name the listing leaves out",
         {STR("A.json"), {}},
         {STR("{}"), {}},
         {{"B.json", "not-listed"}},
         "does not show this name"},
        // Every name is missing from its listing, but the failure is said once.
        {"a listing that logs",
         {STR(""), {"QVH_MotionArchive : Gone"}},
         {STR("{}"), {}},
         {{"../../Content/Paks/~Mods/AnimJSON", "listing-failed"}},
         "the mod logs \"QVH_MotionArchive : Gone\""},
        {"reads that log twice",
         {STR("A.json|B.json"), {}},
         {STR(""), {"One", "Two"}},
         {{"A.json", "read-failed"}, {"B.json", "read-failed"}},
         "\"One\"; \"Two\""},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        QVH::Test::GameFolder Game;
        Game.WriteFile("A.json", "{}");
        Game.WriteFile("B.json", "[1]");

        const auto Report =
            QVH::Check::CheckAnimationFolder([&C](std::int32_t CallType, const RC::StringType&) {
                return CallType == QVH::ListCallType ? C.Listing : C.Read;
            });

        EXPECT_EQ(EntriesAndChecks(Report), C.Wanted);
        ASSERT_FALSE(Report.Findings.empty());
        EXPECT_NE(Report.Findings[0].Text.find(C.Part), std::string::npos)
            << Report.Findings[0].Text;
    }
}

TEST(CheckAnimationFolderTest, AFileChangedAfterTheModsReadIsAnErrorAndTheCheckGoesOn) {
    namespace fs = std::filesystem;
    struct Case {
        const char* Name;
        std::function<void(const fs::path&)> Change;
        std::string Part;
    };
    std::vector<Case> Cases = {
        {"made a folder",
         [](const fs::path& File) {
             fs::remove(File);
             fs::create_directory(File);
         },
         "its bytes are not checked: Animation file is a folder"},
        {"removed", [](const fs::path& File) { fs::remove(File); },
         "its bytes are not checked: Animation file not found"},
    };
#if !defined(_WIN32)
    // Neither may stall or fill the check: a FIFO with no writer, a device without end.
    Cases.push_back({"made a FIFO",
                     [](const fs::path& File) {
                         fs::remove(File);
                         ASSERT_EQ(::mkfifo(File.c_str(), 0600), 0);
                     },
                     "Animation file name names a device, not a file"});
    Cases.push_back({"made a link to /dev/zero",
                     [](const fs::path& File) {
                         fs::remove(File);
                         fs::create_symlink("/dev/zero", File);
                     },
                     "Animation file name names a device, not a file"});
#endif
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        QVH::Test::GameFolder Game;
        const fs::path File = Game.WriteFile("A.json", "{}");
        Game.WriteFile("B.json", "[1,]");

        const auto Report = QVH::Check::CheckAnimationFolder(
            [&](std::int32_t CallType, const RC::StringType& Payload) {
                if (CallType == QVH::ListCallType) {
                    return CommsCallResult{STR("A.json|B.json"), {}};
                }
                if (Payload == STR("A.json")) {
                    C.Change(File);
                    return CommsCallResult{STR("{}"), {}};
                }
                return CommsCallResult{STR("[1,]"), {}};
            });

        EXPECT_EQ(EntriesAndChecks(Report),
                  (Findings{{"A.json", "stored-unreadable"}, {"B.json", "json-syntax"}}));
        ASSERT_FALSE(Report.Findings.empty());
        EXPECT_EQ(Report.Findings[0].Kind(), QVH::Check::FindingKind::Error);
        EXPECT_NE(Report.Findings[0].Text.find(C.Part), std::string::npos)
            << Report.Findings[0].Text;
    }
}

TEST(CheckAnimationFolderTest, DeepBranchesSideBySideAreEachWalkedWhole) {
    // Deep enough that folders are opened from folders kept open above them, on two branches.
    QVH::Test::GameFolder Game;
    std::string Deep;
    for (int Level = 0; Level < 40; ++Level) {
        Deep += "/x";
    }
    Game.WriteFile("L" + Deep + "/One.json", "{}");
    Game.WriteFile("R" + Deep + "/Two.json", "[1,]");
    std::vector<RC::StringType> Read;

    const auto Report = QVH::Check::CheckAnimationFolder(
        [&Read](std::int32_t CallType, const RC::StringType& Payload) {
            if (CallType == QVH::ListCallType) {
                return CommsCallResult{STR("L|R"), {}};
            }
            Read.push_back(Payload);
            return CommsCallResult{Read.size() == 1 ? STR("{}") : STR("[1,]"), {}};
        });

    EXPECT_EQ(Report.Entries.size(), 84u);
    const std::string Two = "R" + Deep + "/Two.json";
    EXPECT_EQ(Read, (std::vector<RC::StringType>{RC::StringType(STR("L")) +
                                                     RC::StringType(Deep.begin(), Deep.end()) +
                                                     STR("/One.json"),
                                                 RC::StringType(Two.begin(), Two.end())}));
    EXPECT_EQ(EntriesAndChecks(Report), (Findings{{Two, "json-syntax"}}));
}

#if !defined(_WIN32)
TEST(CheckAnimationFolderTest, AFolderPastThePathLimitIsWalkedAndWhatTheModCannotReadIsAnError) {
    // No path to the deepest folder fits.
    QVH::Test::GameFolder Game;
    const std::string Name(200, 'd');
    Game.WriteDeepFile(Name, 25, "Bad.json");
    std::vector<RC::StringType> Read;

    // The mod opens a file by its path, which passes the limit: its read fails.
    const auto Report =
        QVH::Check::CheckAnimationFolder([&](std::int32_t CallType, const RC::StringType& Payload) {
            if (CallType == QVH::ListCallType) {
                return CommsCallResult{RC::StringType(Name.begin(), Name.end()), {}};
            }
            Read.push_back(Payload);
            return CommsCallResult{
                {}, {"QVH_MotionArchive : Could not open animation file: (File name too long)"}};
        });

    EXPECT_EQ(Report.Entries.size(), 26u);
    ASSERT_EQ(Read.size(), 1u);
    EXPECT_EQ(Read[0].size(), 25 * 201 + 8);
    ASSERT_EQ(Report.Findings.size(), 1u);
    EXPECT_EQ(Report.Findings[0].Id, QVH::Check::FindingId::ReadFailed);
    EXPECT_TRUE(Report.NameOf(Report.Findings[0].Entry).ends_with("/Bad.json"));
}
#endif

}  // namespace
