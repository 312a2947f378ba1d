// The folder check with the mod's answers played by the test: which calls it makes, and that it
// judges what the mod gives, not what is stored.
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

// The entry's name and check of each finding, and its text.
std::vector<std::pair<std::string, std::string>> Checks(const QVH::HostTool::CheckReport& Report,
                                                        std::vector<std::string>& Texts) {
    std::vector<std::pair<std::string, std::string>> Out;
    for (const QVH::HostTool::Finding& F : Report.Findings) {
        Out.emplace_back(F.Name, F.Check);
        Texts.push_back(F.Text);
    }
    return Out;
}

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
    EXPECT_EQ(Report.Entries.size(), 3u);
}

TEST(CheckAnimationFolder, JudgesWhatTheModAnswers) {
    const std::string Folder = "../../Content/Paks/~Mods/AnimJSON";
    struct Case {
        const char* Name;
        CommsCallResult Listing;
        CommsCallResult Read;  // every read's answer
        std::vector<std::pair<std::string, std::string>> Wanted;
        std::string Part;  // of the first finding's text
    } Cases[] = {
        {"a name the listing leaves out",
         {STR("A.json"), {}},
         {STR("{}"), {}},
         {{"B.json", "not-listed"}},
         "does not show this name"},
        // Its names are all missing from the listing, but the failure says it once.
        {"a listing that logs",
         {STR(""), {"QVH_MotionArchive : Gone"}},
         {STR("{}"), {}},
         {{Folder, "listing-failed"}},
         "the mod logs \"QVH_MotionArchive : Gone\""},
        {"reads that log",
         {STR("A.json|B.json"), {}},
         {STR(""), {"One", "Two"}},
         {{"A.json", "read-failed"}, {"B.json", "read-failed"}},
         "\"One\"; \"Two\""},
        {"reads that give nothing of files that are not empty",
         {STR("A.json|B.json"), {}},
         {STR(""), {}},
         {{"A.json", "read-empty"}, {"B.json", "read-empty"}},
         "the read gives nothing"},
        // The stored files are JSON; what the Blueprint gets is not.
        {"reads whose text is not JSON",
         {STR("A.json|B.json"), {}},
         {STR("{"), {}},
         {{"A.json", "json-syntax"}, {"B.json", "json-syntax"}},
         "unexpected end of input"},
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

        std::vector<std::string> Texts;
        EXPECT_EQ(Checks(Report, Texts), C.Wanted);
        ASSERT_FALSE(Texts.empty());
        EXPECT_NE(Texts[0].find(C.Part), std::string::npos) << Texts[0];
    }
}

}  // namespace
