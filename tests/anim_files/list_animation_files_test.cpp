#include "anim_files/list_animation_files.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "anim_files/read_animation_file.hpp"
#include "tests/support/captured_log.hpp"
#include "tests/support/engine_text.hpp"
#include "tests/support/game_folder.hpp"

namespace {

using QVH::Test::Engine;

class ListAnimationFilesTest : public testing::Test {
protected:
    RC::StringType List() {
        const std::optional<RC::Unreal::FString> Listing = QVH::ListAnimationFiles();
        EXPECT_TRUE(Listing.has_value()) << "the folder was not listed";
        EXPECT_TRUE(Log.Texts().empty());
        return Listing ? QVH::Test::TextOf(*Listing) : RC::StringType();
    }

    // The entries' names as this file system enumerates them, joined by "|".
    RC::StringType ExpectedListing() {
        std::u16string Joined;
        for (const auto& Entry : std::filesystem::directory_iterator(Game.AnimFolder())) {
            const std::u8string Name = Entry.path().filename().u8string();
            Joined += (Joined.empty() ? u"" : u"|") + Utf16(Name);
        }
        return Engine(Joined);
    }

    static std::u16string Utf16(const std::u8string& Name) {
        return std::filesystem::path(Name).u16string();
    }

    QVH::Test::GameFolder Game;
    QVH::Test::CapturedLog Log;
};

TEST_F(ListAnimationFilesTest, EmptyFolderGivesTheEmptyString) {
    EXPECT_EQ(List(), RC::StringType());
}

TEST_F(ListAnimationFilesTest, OneEntryIsItsNameAlone) {
    Game.WriteFile("Idle.json", "{}");
    EXPECT_EQ(List(), Engine(u"Idle.json"));
}

TEST_F(ListAnimationFilesTest, ListsEveryEntryInEnumerationOrderButNotSubFolderContents) {
    for (const char* Name : {"Walk.json", "notes.txt", "README", ".hidden", "..twodots",
                             "Run/Fast.json", "Run/Slow.json"}) {
        Game.WriteFile(Name, "x");
    }
    std::filesystem::create_directory(Game.AnimFolder() / "Empty");
    const RC::StringType Listing = List();
    EXPECT_EQ(Listing, ExpectedListing());
    std::vector<RC::StringType> Names = QVH::Test::Entries(Listing);
    std::sort(Names.begin(), Names.end());
    EXPECT_EQ(Names,
              (std::vector<RC::StringType>{Engine(u"..twodots"), Engine(u".hidden"),
                                           Engine(u"Empty"), Engine(u"README"), Engine(u"Run"),
                                           Engine(u"Walk.json"), Engine(u"notes.txt")}));
}

TEST_F(ListAnimationFilesTest, ReturnsNonAsciiNamesExactly) {
    Game.WriteFile(u8"R\u00E9v\u00E9rence.json", "bow");
    EXPECT_EQ(List(), Engine(u"R\u00E9v\u00E9rence.json"));
    std::filesystem::remove_all(Game.AnimFolder() / u8"R\u00E9v\u00E9rence.json");
    Game.WriteFile(u8"\u8DF3\u821E\U0001F600.json", "dance");
    EXPECT_EQ(List(), Engine(u"\u8DF3\u821E\U0001F600.json"));
}

// Windows keeps names as UTF-16, which holds no ill-formed bytes.
#ifndef _WIN32
TEST_F(ListAnimationFilesTest, DecodesIllFormedNameBytesAsReplacementCharacters) {
    Game.WriteFile("bad\xFF\xC3.json", "x");
    EXPECT_EQ(List(), Engine(u"bad\uFFFD\uFFFD.json"));
}
#endif

TEST_F(ListAnimationFilesTest, EveryListedNameReadsBackItsFile) {
    const std::u8string Names[] = {
        u8"Idle.json",         u8".hidden.json",          u8"R\u00E9v\u00E9rence.json",
        u8"\u8DF3\u821E.json", u8"\U0001F600 smile.json", u8"no extension"};
    for (const std::u8string& Name : Names) {
        Game.WriteFile(Name, "content of " + std::string(Name.begin(), Name.end()) + "\r\n");
    }
    const std::vector<RC::StringType> Listed = QVH::Test::Entries(List());
    ASSERT_EQ(Listed.size(), std::size(Names));
    for (const RC::StringType& Name : Listed) {
        EXPECT_EQ(QVH::Test::ReadAnimationText(Name),
                  Engine(u"content of ") + Name);
    }
}

TEST_F(ListAnimationFilesTest, SeesChangesOnDiskAtOnceAndHandlesManyEntries) {
    std::vector<RC::StringType> Expected;
    for (int I = 0; I < 300; ++I) {
        const std::string Name = "Animation_With_A_Long_Name_" + std::to_string(I) + ".json";
        Game.WriteFile(Name, "{}");
        Expected.push_back(Engine(std::u16string(Name.begin(), Name.end())));
    }
    std::vector<RC::StringType> Names = QVH::Test::Entries(List());
    std::sort(Names.begin(), Names.end());
    std::sort(Expected.begin(), Expected.end());
    EXPECT_EQ(Names, Expected);
    std::filesystem::remove(Game.AnimFolder() / "Animation_With_A_Long_Name_7.json");
    EXPECT_EQ(QVH::Test::Entries(List()).size(), 299u);
}

TEST_F(ListAnimationFilesTest, AFolderThatCannotBeListedGivesNothingAndOneLine) {
    const struct {
        const char* What;
        bool FileInItsPlace;
        const char16_t* Line;
    } Cases[] = {
        {"missing", false,
         u"QVH_MotionArchive : Animation folder not found: ../../Content/Paks/~Mods/AnimJSON\n"},
        {"a file where the folder should be", true,
         u"QVH_MotionArchive : Could not list the animation folder: "
         u"../../Content/Paks/~Mods/AnimJSON (Not a directory)\n"},
    };
    for (const auto& C : Cases) {
        QVH::Test::CapturedLog PerCase;
        Game.RemoveAnimFolder();
        if (C.FileInItsPlace) {
            std::ofstream(Game.AnimFolder()) << "{}";
        }
        EXPECT_FALSE(QVH::ListAnimationFiles().has_value()) << C.What;
        EXPECT_EQ(PerCase.Texts(), std::vector<RC::StringType>{Engine(C.Line)}) << C.What;
    }
}

}  // namespace
