#include "StandIn/ProgramFolder.hpp"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;

// Restores the working directory a test moves away from.
class ProgramFolderTest : public ::testing::Test {
protected:
    void TearDown() override { fs::current_path(Saved); }
    fs::path Saved = fs::current_path();
};

TEST_F(ProgramFolderTest, IsTheFolderThatHoldsTheProgramAndItsHostLibrary) {
    const fs::path Folder = StandIn::ProgramFolder();
    EXPECT_TRUE(Folder.is_absolute()) << Folder;
    // The build puts the test programs and the host library side by side.
    EXPECT_TRUE(fs::is_regular_file(Folder / QVH_HOST_FILE_NAME)) << Folder;
}

TEST_F(ProgramFolderTest, DoesNotDependOnTheWorkingDirectory) {
    const fs::path Before = StandIn::ProgramFolder();
    fs::current_path(fs::temp_directory_path());
    EXPECT_EQ(StandIn::ProgramFolder(), Before);
}

}  // namespace
