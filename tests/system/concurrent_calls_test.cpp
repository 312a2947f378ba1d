// Many Blueprint calls at once, through the host's invoker and the built mod library, while the
// animation folder changes under them: every answer is one whole version of what was asked for.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "StandIn/ScriptCalls.hpp"
#include "bridge/comms_function_path.hpp"
#include "tests/support/captured_log.hpp"
#include "tests/support/comms_call_block.hpp"
#include "tests/support/engine_text.hpp"
#include "tests/support/game_folder.hpp"
#include "tests/support/mod_library_test.hpp"
#include "text/to_utf8.hpp"

namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

constexpr RC::StringViewType Path = QVH::CommsFunctionPathView;
constexpr int Threads = 8;
constexpr int CallsPerThread = 1000;
constexpr int Poses = 3;
constexpr int Versions = 6;

// Versions differ in length and straddle the decoder's 16-byte chunks, so a read that mixed two
// of them, or stopped short, would not match any.
std::string PoseFile(int Pose, int Version) {
    std::string Text = "{\r\n  \"Pose\": " + std::to_string(Pose) +
                       ",\r\n  \"Version\": " + std::to_string(Version) +
                       ",\r\n  \"Name\": \"R\xC3\xA9v\xC3\xA9rence\",\r\n";
    Text +=
        "  \"Pad\": \"" + std::string(std::size_t(Version) * 37, char('a' + Version)) + "\"\r\n}";
    return Text;
}

RC::StringType AsReceived(const std::string& File) {
    std::u16string Units;
    for (std::size_t I = 0; I < File.size(); ++I) {
        if (File[I] == '\r' || File[I] == '\n') {
            continue;
        }
        if (File.compare(I, 2, "\xC3\xA9") == 0) {
            Units += u'\u00E9';
            ++I;
        } else {
            Units += char16_t(File[I]);
        }
    }
    return QVH::Test::Engine(Units);
}

RC::StringType PoseName(int Pose) {
    return QVH::Test::Engine(u"Pose" + std::u16string(1, char16_t(u'0' + Pose)) + u".json");
}

// Writes the whole file beside the folder, then renames it over the old one, so a reader opens
// either the old version or the new one, never a half-written file. A system may refuse to
// replace a file that a reader has open; the old version then stays.
void ReplaceAtomically(const QVH::Test::GameFolder& Game, const std::string& Name,
                       const std::string& Bytes) {
    const fs::path Staging = Game.Root() / ("staging-" + Name);
    std::ofstream(Staging, std::ios::binary).write(Bytes.data(), std::streamsize(Bytes.size()));
    std::error_code Refused;
    fs::rename(Staging, Game.AnimFolder() / Name, Refused);
}

class ConcurrentCallsTest : public QVH::Test::ModLibraryTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(ModLibraryTest::SetUp());
        StartHooked(2000ms);
    }

    QVH::Test::GameFolder Game;
    QVH::Test::CapturedLog Log;
};

TEST_F(ConcurrentCallsTest, EveryAnswerIsOneWholeVersionWhileTheFolderChanges) {
    std::vector<std::set<RC::StringType>> PoseVersions(Poses);
    for (int Pose = 0; Pose < Poses; ++Pose) {
        for (int Version = 0; Version < Versions; ++Version) {
            PoseVersions[Pose].insert(AsReceived(PoseFile(Pose, Version)));
        }
        ReplaceAtomically(Game, "Pose" + std::to_string(Pose) + ".json", PoseFile(Pose, 0));
    }
    const std::string WalkBytes = "{\"Walk\":\r\n true}";
    Game.WriteFile("Walk.json", WalkBytes);
    const RC::StringType Walk = AsReceived(WalkBytes);
    const std::set<RC::StringType> KnownNames = {PoseName(0), PoseName(1), PoseName(2),
                                                 STR("Walk.json"), STR("Walk.old.json")};

    std::atomic<int> Running{Threads};
    std::atomic<int> Rewrites{0};
    std::thread Writer([&] {
        const fs::path Here = Game.AnimFolder() / "Walk.json";
        const fs::path Away = Game.AnimFolder() / "Walk.old.json";
        bool WalkAway = false;
        for (int Round = 1; Running.load() > 0; ++Round) {
            for (int Pose = 0; Pose < Poses; ++Pose) {
                ReplaceAtomically(Game, "Pose" + std::to_string(Pose) + ".json",
                                  PoseFile(Pose, Round % Versions));
            }
            // Walk.json comes and goes: a read finds it whole or not at all.
            std::error_code Refused;
            fs::rename(WalkAway ? Away : Here, WalkAway ? Here : Away, Refused);
            if (!Refused) {
                WalkAway = !WalkAway;
            }
            Rewrites.fetch_add(1);
        }
    });

    struct Tally {
        int Wrong = 0;
        int Listings = 0;
        int Reads = 0;
        int Invalid = 0;
        int WalkMissing = 0;
        RC::StringType FirstWrong;
    };
    std::vector<Tally> Tallies(Threads);
    std::vector<std::thread> Callers;
    for (int T = 0; T < Threads; ++T) {
        Callers.emplace_back([&, T] {
            Tally& Mine = Tallies[T];
            const auto Wrong = [&Mine](const RC::StringType& Answer) {
                if (Mine.Wrong++ == 0) {
                    Mine.FirstWrong = Answer;
                }
            };
            for (int Call = 0; Call < CallsPerThread; ++Call) {
                const int Kind = (Call + T) % 6;
                if (Kind == 0) {
                    QVH::Test::CommsCallBlock Block(QVH::ListCallType, STR(""));
                    StandIn::InvokeScriptFunction(Path, Block.Data());
                    ++Mine.Listings;
                    // Entries renamed during the enumeration may be missed or seen twice.
                    for (const RC::StringType& Name : QVH::Test::Entries(Block.PayloadUnits())) {
                        if (!KnownNames.contains(Name) && !Block.PayloadUnits().empty()) {
                            Wrong(Block.PayloadUnits());
                        }
                    }
                } else if (Kind <= 3) {
                    const int Pose = (Call / 6 + T) % Poses;
                    QVH::Test::CommsCallBlock Block(QVH::ReadCallType, PoseName(Pose));
                    StandIn::InvokeScriptFunction(Path, Block.Data());
                    ++Mine.Reads;
                    if (!PoseVersions[Pose].contains(Block.PayloadUnits())) {
                        Wrong(Block.PayloadUnits());
                    }
                } else if (Kind == 4) {
                    QVH::Test::CommsCallBlock Block(QVH::ReadCallType, STR("Walk.json"));
                    StandIn::InvokeScriptFunction(Path, Block.Data());
                    ++Mine.Reads;
                    Mine.WalkMissing += Block.PayloadUnits().empty();
                    if (Block.PayloadUnits() != Walk && !Block.PayloadUnits().empty()) {
                        Wrong(Block.PayloadUnits());
                    }
                } else {
                    const std::int32_t CallType = Call % 2 == 0 ? 0 : -7;
                    QVH::Test::CommsCallBlock Block(CallType, STR("Pose0.json"));
                    StandIn::InvokeScriptFunction(Path, Block.Data());
                    ++Mine.Invalid;
                    if (Block.PayloadUnits() != STR("Pose0.json")) {
                        Wrong(Block.PayloadUnits());
                    }
                }
            }
            Running.fetch_sub(1);
        });
    }
    for (std::thread& Caller : Callers) {
        Caller.join();
    }
    Writer.join();

    Tally Total;
    for (const Tally& T : Tallies) {
        EXPECT_EQ(T.Wrong, 0) << QVH::ToUtf8Lossy(T.FirstWrong);
        Total.Listings += T.Listings;
        Total.Reads += T.Reads;
        Total.Invalid += T.Invalid;
        Total.WalkMissing += T.WalkMissing;
    }
    EXPECT_EQ(Total.Listings + Total.Reads + Total.Invalid, Threads * CallsPerThread);
    EXPECT_GT(Rewrites.load(), 0);
    // After the start-up line, one line for each invalid call and each read that missed
    // Walk.json, and nothing else.
    std::vector<RC::StringType> Lines = Log.Texts();
    ASSERT_FALSE(Lines.empty());
    EXPECT_EQ(Lines.front(), STR("QVH_MotionArchive C++ Side Initialized!\n"));
    Lines.erase(Lines.begin());
    int InvalidLines = 0;
    int MissingLines = 0;
    for (const RC::StringType& Line : Lines) {
        if (Line == STR("QVH_MotionArchive : CPPCommsCall received but CallType was invalid.\n")) {
            ++InvalidLines;
        } else if (Line == STR("QVH_MotionArchive : Animation file not found: Walk.json\n")) {
            ++MissingLines;
        } else {
            ADD_FAILURE() << QVH::ToUtf8Lossy(Line);
        }
    }
    EXPECT_EQ(InvalidLines, Total.Invalid);
    EXPECT_EQ(MissingLines, Total.WalkMissing);
    std::printf(
        "%d threads x %d calls: %d listings, %d reads (%d missed the renamed file), "
        "%d invalid; %d rounds of rewrites and renames meanwhile\n",
        Threads, CallsPerThread, Total.Listings, Total.Reads, Total.WalkMissing, Total.Invalid,
        Rewrites.load());
}

}  // namespace
