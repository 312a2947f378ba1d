// The folder check with the mod's side played by the test: the calls it makes, and what it makes
// of answers that a run through the built mod cannot bring about at will (a listing that leaves a
// file out, a read that logs twice).
#include "tools/check/check_animation_folder.hpp"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/support/game_folder.hpp"

namespace {

using QVH::HostTool::CommsCallResult;

struct Call {
    std::int32_t CallType;
    RC::StringType Payload;
    bool operator==(const Call&) const = default;
};

TEST(CheckAnimationFolder, ListsOnceAndReadsEachFileByTheNameAReadTakes) {
    QVH::Test::GameFolder Game;
    Game.WriteFile("Idle.json", "{}");
    Game.WriteFile("Sub/Wave.json", "[1]");
    std::vector<Call> Calls;

    const auto Report = QVH::HostTool::CheckAnimationFolder(
        [&Calls](std::int32_t CallType, const RC::StringType& Payload) {
            Calls.push_back({CallType, Payload});
            return CommsCallResult{CallType == 1 ? STR("Idle.json|Sub") : STR("{}"), {}};
        });

    EXPECT_EQ(Calls,
              (std::vector<Call>{{1, STR("")}, {2, STR("Idle.json")}, {2, STR("Sub/Wave.json")}}));
    EXPECT_TRUE(Report.Findings.empty());
}

TEST(CheckAnimationFolder, JudgesWhatTheModAnswers) {
    struct Case {
        const char* Name;
        CommsCallResult Listing;
        CommsCallResult Read;                                     // every read's answer
        std::vector<std::pair<std::string, std::string>> Wanted;  // each finding's entry and check
        std::string Part;                                         // of the first finding's text
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
            QVH::HostTool::CheckAnimationFolder([&C](std::int32_t CallType, const RC::StringType&) {
                return CallType == 1 ? C.Listing : C.Read;
            });

        std::vector<std::pair<std::string, std::string>> Found;
        for (const QVH::HostTool::Finding& F : Report.Findings) {
            Found.emplace_back(F.Name, F.Check);
        }
        EXPECT_EQ(Found, C.Wanted);
        ASSERT_FALSE(Report.Findings.empty());
        EXPECT_NE(Report.Findings[0].Text.find(C.Part), std::string::npos)
            << Report.Findings[0].Text;
    }
}

}  // namespace
