#include "log/log_current_exception.hpp"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "tests/support/captured_log.hpp"

namespace {

RC::StringType LoggedFor(const std::string& What) {
    QVH::Test::CapturedLog Log;
    try {
        throw std::runtime_error(What);
    } catch (...) {
        QVH::LogCurrentException(STR("P: "));
    }
    const auto Lines = Log.Texts();
    return Lines.size() == 1 ? Lines[0] : STR("<not exactly one line>");
}

TEST(LogCurrentExceptionTest, CarriesTheErrorsUtf8TextAsEngineText) {
    const RC::CharType Replacement = 0xFFFD;
    struct Case {
        std::string What;
        RC::StringType Expected;
    } Cases[] = {
        {"", STR("QVH_MotionArchive : P: \n")},
        {"plain ASCII [../../x]", STR("QVH_MotionArchive : P: plain ASCII [../../x]\n")},
        // Decoded, not widened byte by byte: a path's accents come through as they are.
        {"R\xC3\xA9v\xC3\xA9rence.json \xF0\x9F\x98\x80",
         STR("QVH_MotionArchive : P: R\u00e9v\u00e9rence.json \U0001F600\n")},
        // A byte that is no UTF-8 does not cost the rest of the line.
        {"a\xFF"
         "b",
         RC::StringType(STR("QVH_MotionArchive : P: a")) + Replacement + STR("b\n")},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.What);
        EXPECT_EQ(LoggedFor(C.What), C.Expected);
    }
}

TEST(LogCurrentExceptionTest, SaysUnknownErrorForOtherExceptions) {
    QVH::Test::CapturedLog Log;
    try {
        throw 42;
    } catch (...) {
        QVH::LogCurrentException(STR("X failed: "));
    }
    EXPECT_EQ(Log.Texts(),
              std::vector<RC::StringType>{STR("QVH_MotionArchive : X failed: unknown error\n")});
}

TEST(LogCurrentExceptionTest, DropsTheLineWhenNoDeviceCanTakeIt) {
    QVH::Test::CapturedLog Log;
    RC::Output::DefaultTargets::get_default_devices_ref().insert(
        RC::Output::DefaultTargets::get_default_devices_ref().begin(), nullptr);
    try {
        throw std::runtime_error("lost");
    } catch (...) {
        EXPECT_NO_THROW(QVH::LogCurrentException(STR("P: ")));
    }
    EXPECT_TRUE(Log.Texts().empty());
}

}  // namespace
