#include "StandIn/ModLibrary.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "StandIn/ProgramFolder.hpp"

namespace {

namespace fs = std::filesystem;

TEST(ModLibraryTest, MissingFileGivesNoLibraryAndNamesThePathInUtf8) {
    // A name outside every ANSI code page: Windows must be asked for it in UTF-16, and the
    // error text must still name it.
    const fs::path Missing =
        fs::temp_directory_path() / fs::path(u8"qvh-missing-\u00E9\u6F22\U0001F600") / "mod.dll";
    std::string Error;
    std::unique_ptr<StandIn::ModLibrary> Library;
    ASSERT_NO_THROW(Library = StandIn::ModLibrary::Load(Missing, Error));
    EXPECT_EQ(Library, nullptr);
    EXPECT_NE(Error.find("qvh-missing-\xC3\xA9\xE6\xBC\xA2\xF0\x9F\x98\x80"), std::string::npos)
        << Error;
}

TEST(ModLibraryTest, LibraryWithoutTheEntryPointsIsRefused) {
    // The host library beside the test program exports plenty, but not start_mod.
    std::string Error;
    const auto Library =
        StandIn::ModLibrary::Load(StandIn::ProgramFolder() / QVH_HOST_FILE_NAME, Error);
    EXPECT_EQ(Library, nullptr);
    EXPECT_NE(Error.find("does not export start_mod and uninstall_mod"), std::string::npos)
        << Error;
}

}  // namespace
