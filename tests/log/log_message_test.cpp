#include "log/log_message.hpp"

#include <gtest/gtest.h>

#include <stdexcept>

#include "DynamicOutput/Output.hpp"
#include "StandIn/Devices.hpp"

namespace {

using StandIn::CapturedLine;
using StandIn::CapturedLines;
using StandIn::CapturingDevice;

// Installs the given devices as the host's defaults for one test.
class LogMessageTest : public ::testing::Test {
protected:
    void SetUp() override { Saved = std::move(Devices()); }
    void TearDown() override { Devices() = std::move(Saved); }

    static std::vector<std::unique_ptr<RC::Output::OutputDevice>>& Devices() {
        return RC::Output::DefaultTargets::get_default_devices_ref();
    }

    std::vector<std::unique_ptr<RC::Output::OutputDevice>> Saved;
};

TEST_F(LogMessageTest, EachDeviceReceivesTheTextOnceWithOrWithoutTheOptionalArgument) {
    auto First = std::make_shared<CapturedLines>();
    auto Second = std::make_shared<CapturedLines>();
    Devices().clear();
    Devices().push_back(std::make_unique<CapturingDevice>(First, true));
    Devices().push_back(std::make_unique<CapturingDevice>(Second, false));

    QVH::LogMessage(STR("QVH_MotionArchive : hello"));

    EXPECT_EQ(First->Lines(), (std::vector<CapturedLine>{{STR("QVH_MotionArchive : hello\n"), 2}}));
    EXPECT_EQ(Second->Lines(),
              (std::vector<CapturedLine>{{STR("QVH_MotionArchive : hello\n"), std::nullopt}}));
}

TEST_F(LogMessageTest, PassesTheCallersUnitsAndLengthUnchanged) {
    auto Sink = std::make_shared<CapturedLines>();
    Devices().clear();
    Devices().push_back(std::make_unique<CapturingDevice>(Sink));
    // The view stops before the final "X" and carries a NUL and a lone surrogate; one line feed
    // follows it.
    const RC::CharType Text[] = {'a', 0, 0xD800, 0x00E9, 'X'};
    QVH::LogMessage(RC::StringViewType(Text, 4));
    ASSERT_EQ(Sink->Texts().size(), 1u);
    EXPECT_EQ(Sink->Texts()[0], RC::StringType(Text, 4) + STR("\n"));
}

TEST_F(LogMessageTest, NullEntryRaisesAfterTheDevicesBeforeIt) {
    auto First = std::make_shared<CapturedLines>();
    auto Third = std::make_shared<CapturedLines>();
    Devices().clear();
    Devices().push_back(std::make_unique<CapturingDevice>(First));
    Devices().push_back(nullptr);
    Devices().push_back(std::make_unique<CapturingDevice>(Third));

    try {
        QVH::LogMessage(STR("line"));
        FAIL() << "no exception";
    } catch (const std::runtime_error& Error) {
        EXPECT_STREQ(Error.what(),
                     "[Output::send] Attempted to send but there were no default devices. Please "
                     "specify at least one default device or construct a Targets object and "
                     "supply your own devices.");
    }
    EXPECT_EQ(First->Texts(), std::vector<RC::StringType>{STR("line\n")});
    EXPECT_TRUE(Third->Texts().empty());
}

TEST_F(LogMessageTest, EmptyDeviceListSendsNothingAndRaisesNothing) {
    Devices().clear();
    EXPECT_NO_THROW(QVH::LogMessage(STR("nobody hears this")));
}

}  // namespace
