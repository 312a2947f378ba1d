// The mod as the host sees it: the built shared library, loaded by path and reached only through
// its two exports.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "StandIn/ModLibrary.hpp"
#include "StandIn/ProgramFolder.hpp"
#include "tests/support/captured_log.hpp"

namespace {

class LifecycleTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string Error;
        Library = StandIn::ModLibrary::Load(StandIn::ProgramFolder() / QVH_MOD_FILE_NAME, Error);
        ASSERT_TRUE(Library) << Error;
    }

    std::unique_ptr<StandIn::ModLibrary> Library;
};

// Counts its own destruction, so a test can see that uninstall_mod really deletes the object.
struct DestructionProbe : RC::CppUserModBase {
    explicit DestructionProbe(int& InCount) : Count(InCount) {}
    ~DestructionProbe() override { ++Count; }
    int& Count;
};

TEST_F(LifecycleTest, StartModGivesTheMetadataAndSendsTheStartUpLineOnce) {
    QVH::Test::CapturedLog Log;
    RC::CppUserModBase* Mod = Library->CallStartMod();
    ASSERT_NE(Mod, nullptr);
    EXPECT_EQ(Mod->ModName, STR("QVH_MOtionArchive"));
    EXPECT_EQ(Mod->ModVersion, STR("0.0.1"));
    EXPECT_EQ(Mod->ModDescription, STR("Quenvarholt - Animation Framework"));
    EXPECT_EQ(Mod->ModAuthors, STR("Ostrander"));
    EXPECT_EQ(Log.Texts(),
              std::vector<RC::StringType>{STR("QVH_MotionArchive C++ Side Initialized!\n")});
    Library->CallUninstallMod(Mod);
}

TEST_F(LifecycleTest, UninstallModWithNullDoesNothing) {
    QVH::Test::CapturedLog Log;
    EXPECT_NO_FATAL_FAILURE(Library->CallUninstallMod(nullptr));
    EXPECT_TRUE(Log.Texts().empty());
}

TEST_F(LifecycleTest, UninstallModDeletesThroughTheVirtualDestructor) {
    int Destroyed = 0;
    Library->CallUninstallMod(new DestructionProbe(Destroyed));
    EXPECT_EQ(Destroyed, 1);
}

TEST_F(LifecycleTest, UpdateHasNoEffectAtAnyPoint) {
    QVH::Test::CapturedLog Log;
    RC::CppUserModBase* Mod = Library->CallStartMod();
    ASSERT_NE(Mod, nullptr);
    for (int I = 0; I < 3; ++I) {
        Mod->on_update();
    }
    Mod->on_unreal_init();
    Mod->on_update();
    EXPECT_EQ(Mod->ModName, STR("QVH_MOtionArchive"));
    EXPECT_EQ(Log.Texts().size(), 1u);
    Library->CallUninstallMod(Mod);
}

TEST_F(LifecycleTest, StartModFailingToLogGivesTheHostNoModObject) {
    auto& Devices = RC::Output::DefaultTargets::get_default_devices_ref();
    auto Saved = std::move(Devices);
    Devices.clear();
    Devices.push_back(nullptr);
    RC::CppUserModBase* Mod = Library->CallStartMod();
    Devices = std::move(Saved);
    EXPECT_EQ(Mod, nullptr);
}

TEST_F(LifecycleTest, EachStartGivesAFreshObject) {
    QVH::Test::CapturedLog Log;
    RC::CppUserModBase* First = Library->CallStartMod();
    Library->CallUninstallMod(First);
    RC::CppUserModBase* Second = Library->CallStartMod();
    ASSERT_NE(Second, nullptr);
    EXPECT_EQ(Second->ModAuthors, STR("Ostrander"));
    Library->CallUninstallMod(Second);
    EXPECT_EQ(Log.Texts().size(), 2u);
}

TEST(ModLibraryLoadTest, LoadsTheModFromAFolderNamedOutsideTheAnsiCodePage) {
    // Game folders can have any name; on Windows only the UTF-16 file functions reach these.
    namespace fs = std::filesystem;
    const fs::path Folder =
        fs::temp_directory_path() / fs::path(u8"qvh-mod-\u00E9\u6F22\U0001F600");
    fs::create_directories(Folder);
    const fs::path Copy = Folder / QVH_MOD_FILE_NAME;
    fs::copy_file(StandIn::ProgramFolder() / QVH_MOD_FILE_NAME, Copy,
                  fs::copy_options::overwrite_existing);
    {
        std::string Error;
        const auto Library = StandIn::ModLibrary::Load(Copy, Error);
        ASSERT_TRUE(Library) << Error;
        QVH::Test::CapturedLog Log;
        RC::CppUserModBase* Mod = Library->CallStartMod();
        ASSERT_NE(Mod, nullptr);
        EXPECT_EQ(Mod->ModAuthors, STR("Ostrander"));
        Library->CallUninstallMod(Mod);
    }
    std::error_code Ignored;
    fs::remove_all(Folder, Ignored);
}

}  // namespace
