// The readdir() listing against the portable one: the same names in the same order, and the same
// failures. (On Windows only the portable one exists, and the listing tests cover it.)
#include "anim_files/folder_listing.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tests/support/game_folder.hpp"

#ifndef _WIN32
namespace {

using QVH::detail::FolderListing;
using QVH::detail::FolderListingStatus;

FolderListing ExpectSameOutcome(const char* Folder) {
    const FolderListing Readdir = QVH::detail::ListFolderWithReaddir(Folder);
    const FolderListing Portable = QVH::detail::ListFolderPortably(std::filesystem::path(Folder));
    EXPECT_EQ(Readdir.Status, Portable.Status) << Folder;
    EXPECT_EQ(Readdir.Names, Portable.Names) << Folder;
    EXPECT_EQ(Readdir.Error, Portable.Error) << Folder;
    return Readdir;
}

TEST(FolderListing, ReaddirListsAsTheFilesystemLibraryDoes) {
    QVH::Test::GameFolder Game;
    const char* const Folder = "../../Content/Paks/~Mods/AnimJSON";
    EXPECT_EQ(ExpectSameOutcome(Folder).Names, RC::StringType());  // empty
    for (const char* Name :
         {"Walk.json", ".hidden", "..twodots", "...", "no extension",
          "R\xC3\xA9v\xC3\xA9rence.json", "bad\xFF\xC3.json", "a|b.json", "Run/Fast.json"}) {
        Game.WriteFile(Name, "x");
    }
    for (int I = 0; I < 200; ++I) {
        Game.WriteFile("Many_" + std::to_string(I) + ".json", "");
    }
    const FolderListing Listed = ExpectSameOutcome(Folder);
    EXPECT_EQ(Listed.Status, FolderListingStatus::Listed);
    EXPECT_EQ(std::count(Listed.Names.begin(), Listed.Names.end(), u'|'), 209);
}

TEST(FolderListing, ReaddirFailsAsTheFilesystemLibraryDoes) {
    QVH::Test::GameFolder Game;
    Game.WriteFile("Idle.json", "{}");
    const struct {
        const char* Folder;
        FolderListingStatus Status;
        std::errc Error;
    } Cases[] = {
        {"../../Content/Paks/~Mods/AnimJSON/Idle.json", FolderListingStatus::Failed,
         std::errc::not_a_directory},
        {"../../Content/Paks/~Mods/AnimJSON/Missing", FolderListingStatus::Missing,
         std::errc::no_such_file_or_directory},
        {"Missing", FolderListingStatus::Missing, std::errc::no_such_file_or_directory},
    };
    for (const auto& C : Cases) {
        const FolderListing Failed = ExpectSameOutcome(C.Folder);
        EXPECT_EQ(Failed.Status, C.Status) << C.Folder;
        EXPECT_EQ(Failed.Error, C.Error) << C.Folder;
        EXPECT_TRUE(Failed.Names.empty()) << C.Folder;
    }
}

}  // namespace
#endif
