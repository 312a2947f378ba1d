// CPPCommsCall as the Blueprint makes it: a real parameter block, the answer read back from it.
#include "bridge/dispatch_comms_call.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <vector>

#include "tests/support/captured_log.hpp"
#include "tests/support/comms_call_block.hpp"
#include "tests/support/game_folder.hpp"
#include "text/to_utf8.hpp"

namespace {

using QVH::Test::CommsCallBlock;
using QVH::Test::Dispatch;

constexpr RC::StringViewType InvalidLine =
    STR("QVH_MotionArchive : CPPCommsCall received but CallType was invalid.\n");

std::vector<RC::StringType> SortedEntries(const RC::StringType& Listing) {
    std::vector<RC::StringType> Entries;
    std::size_t Start = 0;
    for (std::size_t Bar; (Bar = Listing.find(u'|', Start)) != RC::StringType::npos;
         Start = Bar + 1) {
        Entries.push_back(Listing.substr(Start, Bar - Start));
    }
    Entries.push_back(Listing.substr(Start));
    std::sort(Entries.begin(), Entries.end());
    return Entries;
}

class DispatchCommsCallTest : public ::testing::Test {
protected:
    QVH::Test::GameFolder Game;
    QVH::Test::CapturedLog Log;
};

TEST_F(DispatchCommsCallTest, CallType1ReplacesAFileNameWithTheListing) {
    Game.WriteFile("Idle.json", "{}");
    Game.WriteFile("Walk.json", "{}");
    Game.WriteFile("Gestures/Wave.json", "{}");
    CommsCallBlock Block(QVH::ListCallType, STR("Idle.json"));

    Dispatch(Block);

    EXPECT_EQ(SortedEntries(Block.PayloadUnits()),
              (std::vector<RC::StringType>{STR("Gestures"), STR("Idle.json"), STR("Walk.json")}));
    EXPECT_EQ(Block.CallType(), 1);
    EXPECT_TRUE(Block.GuardsIntact());
    EXPECT_TRUE(Log.Texts().empty());
}

TEST_F(DispatchCommsCallTest, CallType2ReplacesTheNameWithTheFilesContent) {
    Game.WriteFile("Idle.json", "{\r\n  \"Name\": \"Idle\",\r\n  \"Loop\": true\r\n}\r\n");
    CommsCallBlock Block(QVH::ReadCallType, STR("Idle.json"));

    Dispatch(Block);

    EXPECT_EQ(Block.PayloadUnits(), STR("{  \"Name\": \"Idle\",  \"Loop\": true}"));
    EXPECT_EQ(Block.CallType(), 2);
    EXPECT_TRUE(Block.GuardsIntact());
    EXPECT_TRUE(Log.Texts().empty());
}

TEST_F(DispatchCommsCallTest, CallType2FindsFilesInSubFoldersAndWithNonAsciiNames) {
    Game.WriteFile("Gestures/Wave.json", "[1,\r\n2]");
    Game.WriteFile(u8"R\u00e9v\u00e9rence.json", "{\"Bow\": 3}");
    Game.WriteFile(u8"\u8df3\u821e\U0001F600.json", "{\"Dance\": 4}");

    CommsCallBlock InSubFolder(QVH::ReadCallType, STR("Gestures/Wave.json"));
    Dispatch(InSubFolder);
    CommsCallBlock NonAscii(QVH::ReadCallType, STR("R\u00e9v\u00e9rence.json"));
    Dispatch(NonAscii);
    // Outside every Western code page.
    CommsCallBlock NonAnsi(QVH::ReadCallType, STR("\u8df3\u821e\U0001F600.json"));
    Dispatch(NonAnsi);

    EXPECT_EQ(InSubFolder.PayloadUnits(), STR("[1,2]"));
    EXPECT_EQ(NonAscii.PayloadUnits(), STR("{\"Bow\": 3}"));
    EXPECT_EQ(NonAnsi.PayloadUnits(), STR("{\"Dance\": 4}"));
}

TEST_F(DispatchCommsCallTest, OtherCallTypesLogOneLineAndTouchNothing) {
    Game.WriteFile("Idle.json", "{}");
    const std::int32_t Invalid[] = {
        0,
        3,
        -1,
        std::numeric_limits<std::int32_t>::max(),
        std::numeric_limits<std::int32_t>::min(),
        0x101,    // low byte 1: the whole 32-bit value decides, not its first byte
        0x10002,  // low half 2
    };
    for (const std::int32_t CallType : Invalid) {
        SCOPED_TRACE(CallType);
        QVH::Test::CapturedLog PerCase;
        CommsCallBlock Block(CallType, STR("Idle.json \u00e9"));

        Dispatch(Block);

        EXPECT_EQ(Block.PayloadUnits(), STR("Idle.json \u00e9"));
        EXPECT_EQ(Block.CallType(), CallType);
        EXPECT_TRUE(Block.GuardsIntact());
        EXPECT_EQ(PerCase.Texts(), std::vector<RC::StringType>{RC::StringType(InvalidLine)});
    }
}

TEST_F(DispatchCommsCallTest, MissingFolderKeepsThePayloadAndLogsOneLine) {
    Game.RemoveAnimFolder();
    CommsCallBlock Block(QVH::ListCallType, STR("Idle.json"));

    EXPECT_NO_THROW(Dispatch(Block));

    EXPECT_EQ(Block.PayloadUnits(), STR("Idle.json"));
    EXPECT_TRUE(Block.GuardsIntact());
    EXPECT_EQ(Log.Texts(),
              std::vector<RC::StringType>{STR("QVH_MotionArchive : Animation folder not found: "
                                              "../../Content/Paks/~Mods/AnimJSON\n")});
}

TEST_F(DispatchCommsCallTest, ANameThatIsNotValidTextGivesTheEmptyStringNotItself) {
    // A high surrogate followed by a letter is no UTF-16: a failed read, whose Payload must not
    // come back as if it were the file's text.
    const RC::StringType BadName{static_cast<RC::CharType>(0xD83D), u'A'};
    CommsCallBlock Block(QVH::ReadCallType, BadName);

    EXPECT_NO_THROW(Dispatch(Block));

    EXPECT_EQ(Block.PayloadUnits(), STR(""));
    EXPECT_TRUE(Block.GuardsIntact());
    EXPECT_EQ(Log.Texts(),
              std::vector<RC::StringType>{STR(
                  "QVH_MotionArchive : Refused a file name that is not valid text: <U+D83D>A\n")});
}

TEST_F(DispatchCommsCallTest, TwoReadsInARowSeeTheChangeBetweenThem) {
    Game.WriteFile("Pose.json", "{\"Frame\": 1}\r\n");
    CommsCallBlock First(QVH::ReadCallType, STR("Pose.json"));
    Dispatch(First);

    Game.WriteFile("Pose.json", "{\"Frame\": 2,\r\n \"Extra\": true}");
    CommsCallBlock Second(QVH::ReadCallType, STR("Pose.json"));
    Dispatch(Second);

    EXPECT_EQ(First.PayloadUnits(), STR("{\"Frame\": 1}"));
    EXPECT_EQ(Second.PayloadUnits(), STR("{\"Frame\": 2, \"Extra\": true}"));
}

TEST_F(DispatchCommsCallTest, TheCustomDataMakesNoDifference) {
    Game.WriteFile("Idle.json", "{\r\n}");
    int Something = 42;
    void* const CustomData[] = {nullptr, &Something, reinterpret_cast<void*>(std::uintptr_t{1}),
                                reinterpret_cast<void*>(~std::uintptr_t{0})};
    for (void* Data : CustomData) {
        SCOPED_TRACE(Data);
        QVH::Test::CapturedLog PerCase;
        CommsCallBlock Read(QVH::ReadCallType, STR("Idle.json"));
        CommsCallBlock Invalid(9, STR("keep"));

        Dispatch(Read, Data);
        Dispatch(Invalid, Data);

        EXPECT_EQ(Read.PayloadUnits(), STR("{}"));
        EXPECT_EQ(Invalid.PayloadUnits(), STR("keep"));
        EXPECT_EQ(PerCase.Texts(), std::vector<RC::StringType>{RC::StringType(InvalidLine)});
    }
    EXPECT_EQ(Something, 42);
}

// A log device that fails, as a full disk or a broken console might.
template <typename Thrown>
class FailingDevice : public RC::Output::OutputDevice {
public:
    explicit FailingDevice(Thrown InError) : Error(InError) {}
    auto receive(RC::StringViewType) const -> void override { throw Error; }

private:
    Thrown Error;
};

TEST_F(DispatchCommsCallTest, AFailingLogDeviceDoesNotEscapeTheCall) {
    struct Case {
        std::unique_ptr<RC::Output::OutputDevice> Device;
        RC::StringViewType Reported;
    };
    Case Cases[] = {
        {std::make_unique<FailingDevice<std::runtime_error>>(std::runtime_error("device full")),
         STR("QVH_MotionArchive : CPPCommsCall failed: device full\n")},
        // Not a std::exception: there is no text to carry.
        {std::make_unique<FailingDevice<int>>(7),
         STR("QVH_MotionArchive : CPPCommsCall failed: unknown error\n")},
    };
    for (Case& C : Cases) {
        SCOPED_TRACE(QVH::ToUtf8Lossy(C.Reported));
        QVH::Test::CapturedLog PerCase;
        RC::Output::DefaultTargets::get_default_devices_ref().push_back(std::move(C.Device));
        CommsCallBlock Block(4, STR("keep"));

        EXPECT_NO_THROW(Dispatch(Block));

        EXPECT_EQ(Block.PayloadUnits(), STR("keep"));
        // The invalid-call line reached the capturing device before the failing one threw; then
        // the failure was reported, and the report's own failure was dropped.
        EXPECT_EQ(PerCase.Texts(), (std::vector<RC::StringType>{RC::StringType(InvalidLine),
                                                                RC::StringType(C.Reported)}));
    }
}

}  // namespace
