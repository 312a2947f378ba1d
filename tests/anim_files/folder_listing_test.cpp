// The readdir() listing: every name once, whatever bytes it holds, and the failures by kind. (On
// Windows the listing goes through the filesystem library, and the listing tests cover it.)
#include "anim_files/folder_listing.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "tests/support/game_folder.hpp"

#ifndef _WIN32
namespace {

using QVH::detail::FolderListing;
using QVH::detail::FolderListingStatus;

// The listing's names, split at each "|".
std::multiset<RC::StringType> NamesOf(const FolderListing& Listing) {
    std::multiset<RC::StringType> Names;
    for (std::size_t Start = 0; Start <= Listing.Names.size();) {
        const std::size_t End = std::min(Listing.Names.find(u'|', Start), Listing.Names.size());
        Names.insert(Listing.Names.substr(Start, End - Start));
        Start = End + 1;
    }
    return Names;
}

TEST(FolderListing, ReaddirListsEachEntryOnceButDotAndDotDot) {
    QVH::Test::GameFolder Game;
    const char* const Folder = "../../Content/Paks/~Mods/AnimJSON";
    const FolderListing Empty = QVH::detail::ListFolderWithReaddir(Folder);
    EXPECT_EQ(Empty.Status, FolderListingStatus::Listed);
    EXPECT_EQ(Empty.Names, RC::StringType());
    for (const char* Name :
         {"Walk.json", ".hidden", "..twodots", "...", "no extension",
          "R\xC3\xA9v\xC3\xA9rence.json", "bad\xFF\xC3.json", "a|b.json", "Run/Fast.json"}) {
        Game.WriteFile(Name, "x");
    }
    std::multiset<RC::StringType> Expected{
        u"Walk.json", u".hidden", u"..twodots", u"...", u"no extension",
        u"R\u00e9v\u00e9rence.json",
        // Bytes that are not UTF-8 become U+FFFD, one for each ill-formed sequence.
        u"bad\uFFFD\uFFFD.json", u"Run",
        // A "|" in a name is not escaped: it reads as two names.
        u"a", u"b.json"};
    for (int I = 0; I < 200; ++I) {
        Game.WriteFile("Many_" + std::to_string(I) + ".json", "");
        const std::string Many = "Many_" + std::to_string(I) + ".json";
        Expected.insert(RC::StringType(Many.begin(), Many.end()));
    }
    const FolderListing Listed = QVH::detail::ListFolderWithReaddir(Folder);
    EXPECT_EQ(Listed.Status, FolderListingStatus::Listed);
    EXPECT_EQ(NamesOf(Listed), Expected);
}

TEST(FolderListing, ReaddirFailuresSayWhetherTheFolderIsMissing) {
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
        const FolderListing Failed = QVH::detail::ListFolderWithReaddir(C.Folder);
        EXPECT_EQ(Failed.Status, C.Status) << C.Folder;
        EXPECT_EQ(Failed.Error, C.Error) << C.Folder;
        EXPECT_TRUE(Failed.Names.empty()) << C.Folder;
    }
}

}  // namespace
#endif
