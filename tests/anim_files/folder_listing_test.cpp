// The readdir() listing against the portable one: the same names in the same order, and the same
// errors. (On Windows only the portable one exists, and the listing tests cover it.)
#include "anim_files/folder_listing.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tests/support/game_folder.hpp"

#ifndef _WIN32
namespace {

struct Outcome {
    RC::StringType Listing;
    std::string Operation;  // of the error, when one was thrown
    std::error_code Code;
    std::filesystem::path Path;
};

template <class List>
Outcome Capture(List&& Listing) {
    Outcome Result;
    try {
        Result.Listing = Listing();
    } catch (const std::filesystem::filesystem_error& Error) {
        const std::string What = Error.what();
        Result.Operation = What.substr(0, What.find(':', What.find("directory_iterator::") + 20));
        Result.Code = Error.code();
        Result.Path = Error.path1();
    }
    return Result;
}

void ExpectSameOutcome(const char* Folder) {
    const Outcome Readdir = Capture([&] { return QVH::detail::ListFolderWithReaddir(Folder); });
    const Outcome Portable =
        Capture([&] { return QVH::detail::ListFolderPortably(std::filesystem::path(Folder)); });
    EXPECT_EQ(Readdir.Listing, Portable.Listing) << Folder;
    EXPECT_EQ(Readdir.Operation, Portable.Operation) << Folder;
    EXPECT_EQ(Readdir.Code, Portable.Code) << Folder;
    EXPECT_EQ(Readdir.Path, Portable.Path) << Folder;
}

TEST(FolderListing, ReaddirListsAsTheFilesystemLibraryDoes) {
    QVH::Test::GameFolder Game;
    const char* const Folder = "../../Content/Paks/~Mods/AnimJSON";
    ExpectSameOutcome(Folder);  // empty
    for (const char* Name :
         {"Walk.json", ".hidden", "..twodots", "...", "no extension",
          "R\xC3\xA9v\xC3\xA9rence.json", "bad\xFF\xC3.json", "a|b.json", "Run/Fast.json"}) {
        Game.WriteFile(Name, "x");
    }
    for (int I = 0; I < 200; ++I) {
        Game.WriteFile("Many_" + std::to_string(I) + ".json", "");
    }
    const Outcome Listed = Capture([&] { return QVH::detail::ListFolderWithReaddir(Folder); });
    EXPECT_EQ(std::count(Listed.Listing.begin(), Listed.Listing.end(), u'|'), 209);
    ExpectSameOutcome(Folder);
}

TEST(FolderListing, ReaddirFailsAsTheFilesystemLibraryDoes) {
    QVH::Test::GameFolder Game;
    Game.WriteFile("Idle.json", "{}");
    ExpectSameOutcome("../../Content/Paks/~Mods/AnimJSON/Idle.json");  // not a folder
    ExpectSameOutcome("../../Content/Paks/~Mods/AnimJSON/Missing");
    const Outcome Missing = Capture([] { return QVH::detail::ListFolderWithReaddir("Missing"); });
    EXPECT_EQ(Missing.Operation, "filesystem error: directory_iterator::directory_iterator");
    EXPECT_EQ(Missing.Code, std::errc::no_such_file_or_directory);
    EXPECT_EQ(Missing.Path, std::filesystem::path("Missing"));
}

}  // namespace
#endif
