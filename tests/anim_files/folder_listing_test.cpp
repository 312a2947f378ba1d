// The folder listing's seam on POSIX systems (readdir): every name once, whatever bytes it holds,
// and the failures by kind; and the listing's one join and one split. (On Windows the seam goes
// through the filesystem library, and the listing tests cover it.)
#include "anim_files/folder_listing.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <system_error>
#include <vector>

#include "anim_files/listing_separator.hpp"
#include "tests/support/game_folder.hpp"

namespace {

TEST(ListingSeparatorTest, SplitGivesBackWhatTheJoinJoined) {
    const struct {
        std::vector<RC::StringType> Joined;
        std::vector<RC::StringType> Split;
    } Cases[] = {
        {{}, {}},  // an empty folder
        {{STR("Walk.json")}, {STR("Walk.json")}},
        {{STR("Walk.json"), STR("Run")}, {STR("Walk.json"), STR("Run")}},
        // Nothing escapes a bar inside a name: the Blueprint gets its pieces.
        {{STR("a|b.json"), STR("Run")}, {STR("a"), STR("b.json"), STR("Run")}},
        {{STR("|x|")}, {STR(""), STR("x"), STR("")}},
    };
    for (const auto& C : Cases) {
        RC::StringType Listing;
        for (const RC::StringType& Name : C.Joined) {
            QVH::AppendToListing(Listing, Name);
        }
        const std::vector<RC::StringViewType> Pieces = QVH::SplitListing(Listing);
        EXPECT_EQ(std::vector<RC::StringType>(Pieces.begin(), Pieces.end()), C.Split);
    }
}

}  // namespace

#ifndef _WIN32
namespace {

// The names the seam visits, and its error.
std::multiset<RC::StringType> NamesIn(const char* Folder, std::error_code& Error) {
    std::multiset<RC::StringType> Names;
    const std::string Path(Folder);
    Error =
        QVH::detail::ForEachFolderEntry(std::u8string(Path.begin(), Path.end()),
                                        [&Names](RC::StringViewType Name) { Names.emplace(Name); });
    return Names;
}

TEST(FolderListingTest, VisitsEachEntryOnceButDotAndDotDot) {
    QVH::Test::GameFolder Game;
    const char* const Folder = "../../Content/Paks/~Mods/AnimJSON";
    std::error_code Error;
    EXPECT_TRUE(NamesIn(Folder, Error).empty());
    EXPECT_FALSE(Error);
    for (const char* Name :
         {"Walk.json", ".hidden", "..twodots", "...", "no extension",
          "R\xC3\xA9v\xC3\xA9rence.json", "bad\xFF\xC3.json", "a|b.json", "Run/Fast.json"}) {
        Game.WriteFile(Name, "x");
    }
    std::multiset<RC::StringType> Expected{
        u"Walk.json", u".hidden", u"..twodots", u"...", u"no extension",
        u"R\u00e9v\u00e9rence.json",
        // Bytes that are not UTF-8 become U+FFFD, one for each ill-formed sequence.
        u"bad\uFFFD\uFFFD.json", u"Run", u"a|b.json"};
    for (int I = 0; I < 200; ++I) {
        Game.WriteFile("Many_" + std::to_string(I) + ".json", "");
        const std::string Many = "Many_" + std::to_string(I) + ".json";
        Expected.insert(RC::StringType(Many.begin(), Many.end()));
    }
    EXPECT_EQ(NamesIn(Folder, Error), Expected);
    EXPECT_FALSE(Error);
}

TEST(FolderListingTest, FailuresSayWhetherTheFolderIsMissing) {
    QVH::Test::GameFolder Game;
    Game.WriteFile("Idle.json", "{}");
    const struct {
        const char* Folder;
        bool Missing;
        std::errc Error;
    } Cases[] = {
        {"../../Content/Paks/~Mods/AnimJSON/Idle.json", false, std::errc::not_a_directory},
        {"../../Content/Paks/~Mods/AnimJSON/Missing", true, std::errc::no_such_file_or_directory},
        {"Missing", true, std::errc::no_such_file_or_directory},
    };
    for (const auto& C : Cases) {
        std::error_code Error;
        EXPECT_TRUE(NamesIn(C.Folder, Error).empty()) << C.Folder;
        EXPECT_EQ(Error, C.Error) << C.Folder;
        EXPECT_EQ(QVH::detail::IsMissingFolder(Error), C.Missing) << C.Folder;
    }
}

}  // namespace
#endif
