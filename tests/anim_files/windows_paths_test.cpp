// What only Windows can show of the file service: names as the file system keeps them in UTF-16,
// whatever the ANSI code page; drive, UNC and device names; the backslash as a separator; full
// paths longer than MAX_PATH. The
// files here are made and listed with the system's wide calls alone, so no conversion of the
// test's own stands between a name and its file.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "anim_files/input_file.hpp"
#include "anim_files/list_animation_files.hpp"
#include "anim_files/read_animation_file.hpp"
#include "tests/support/captured_log.hpp"
#include "tests/support/engine_text.hpp"
#include "tests/support/game_folder.hpp"
#include "text/to_utf8.hpp"

namespace {

using QVH::Test::Engine;

void WriteNative(const std::filesystem::path& Folder, const std::wstring& Name,
                 const std::string& Bytes) {
    const std::wstring Path = Folder.native() + L"\\" + Name;
    const HANDLE File = CreateFileW(Path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(File, INVALID_HANDLE_VALUE) << GetLastError();
    DWORD Written = 0;
    const BOOL Wrote =
        WriteFile(File, Bytes.data(), static_cast<DWORD>(Bytes.size()), &Written, nullptr);
    CloseHandle(File);
    ASSERT_TRUE(Wrote && Written == Bytes.size());
}

// The entries' names as the system enumerates them, "." and ".." left out.
std::vector<std::wstring> NativeNames(const std::filesystem::path& Folder) {
    std::vector<std::wstring> Names;
    WIN32_FIND_DATAW Found;
    const HANDLE Search = FindFirstFileW((Folder.native() + L"\\*").c_str(), &Found);
    if (Search == INVALID_HANDLE_VALUE) {
        return Names;
    }
    do {
        const std::wstring Name = Found.cFileName;
        if (Name != L"." && Name != L"..") {
            Names.push_back(Name);
        }
    } while (FindNextFileW(Search, &Found));
    FindClose(Search);
    return Names;
}

// Name in the ANSI code page, best-fit characters allowed, as the narrow file calls would see it;
// Exact tells whether every character had its own.
std::string InAnsiCodePage(const std::wstring& Name, bool& Exact) {
    char Narrow[MAX_PATH] = {};
    BOOL UsedDefault = FALSE;
    WideCharToMultiByte(CP_ACP, 0, Name.c_str(), -1, Narrow, sizeof(Narrow), nullptr, &UsedDefault);
    BOOL Unmapped = FALSE;
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, Name.c_str(), -1, nullptr, 0, nullptr,
                        &Unmapped);
    Exact = !Unmapped;
    return Narrow;
}

// An absolute path in the form the wide calls take past MAX_PATH.
std::wstring LongForm(const std::filesystem::path& Absolute) {
    return L"\\\\?\\" + Absolute.native();
}

class WindowsPathsTest : public testing::Test {
protected:
    RC::StringType Read(const std::wstring& Name) {
        return QVH::Test::ReadAnimationText(Name);
    }

    QVH::Test::GameFolder Game;
    QVH::Test::CapturedLog Log;
};

TEST_F(WindowsPathsTest, NamesOutsideTheAnsiCodePageAreListedAsTheirUtf16NamesAndReadBack) {
    const struct {
        std::wstring Name;
        bool InCodePage;         // in every Western code page, at least
        const char* NarrowForm;  // what a code-page conversion makes of it, where it matters
    } Files[] = {
        {L"\u8DF3\u821E.json", false, nullptr},                  // CJK
        {L"\U0001F600 smile.json", false, nullptr},              // emoji, a surrogate pair
        {L"R\u00E9v\u00E9rence.json", true, nullptr},            // accented letters
        {L"\uFF26\uFF55\uFF4C\uFF4C.json", false, "Full.json"},  // full-width letters
        {L"Full.json", true, nullptr},                           // what those best-fit to
    };
    for (std::size_t I = 0; I < std::size(Files); ++I) {
        WriteNative(Game.AnimFolder(), Files[I].Name, "{\"File\": " + std::to_string(I) + "}\r\n");
        bool Exact = false;
        const std::string Narrow = InAnsiCodePage(Files[I].Name, Exact);
        if (!Files[I].InCodePage) {
            // Otherwise this test would not tell a wide path from a narrow one.
            EXPECT_FALSE(Exact) << "code page " << GetACP() << " holds name " << I;
        }
        if (Files[I].NarrowForm != nullptr) {
            EXPECT_EQ(Narrow, Files[I].NarrowForm) << "code page " << GetACP();
        }
    }

    const std::vector<RC::StringType> Listed =
        QVH::Test::Entries(QVH::Test::TextOf(QVH::ListAnimationFiles().value()));

    EXPECT_EQ(Listed, NativeNames(Game.AnimFolder()));
    for (std::size_t I = 0; I < std::size(Files); ++I) {
        EXPECT_NE(std::find(Listed.begin(), Listed.end(), Files[I].Name), Listed.end()) << I;
        const std::string Content = "{\"File\": " + std::to_string(I) + "}";
        EXPECT_EQ(Read(Files[I].Name), RC::StringType(Content.begin(), Content.end())) << I;
    }
    EXPECT_TRUE(Log.Texts().empty());
}

TEST_F(WindowsPathsTest, RefusesDriveUncAndParentNamesWithoutReachingTheFileOutside) {
    const std::filesystem::path Outside = Game.AnimFolder().parent_path() / "x.json";
    const std::filesystem::path Beside = std::filesystem::current_path() / "x.json";
    const std::filesystem::path Absolute = Game.Root() / "secret.json";
    const std::filesystem::path InFolder = Game.AnimFolder() / "server" / "share" / "x.json";
    for (const auto& Path : {Outside, Beside, Absolute, InFolder}) {
        std::filesystem::create_directories(Path.parent_path());
        std::ofstream(Path, std::ios::binary) << "escaped";
    }
    wchar_t Windows[MAX_PATH];
    ASSERT_GT(GetWindowsDirectoryW(Windows, MAX_PATH), 0u);
    ASSERT_GT(std::filesystem::file_size(std::filesystem::path(Windows) / L"win.ini"), 0u);
    // "C:x.json" means the current folder of drive C: where the game runs.
    ASSERT_EQ(std::filesystem::current_path().native().substr(0, 2), L"C:");

    const std::wstring Refused[] = {
        L"C:\\Windows\\win.ini",
        Absolute.native(),
        L"C:x.json",                   // lands Beside
        L"\\\\server\\share\\x.json",  // joined as text, lands InFolder
        L"..\\x.json",                 // lands Outside
        L"Sub\\..\\..\\x.json",        // lands Outside too
    };
    for (const std::wstring& Name : Refused) {
        QVH::Test::CapturedLog PerName;
        EXPECT_EQ(Read(Name), RC::StringType()) << QVH::ToUtf8Lossy(Name);
        EXPECT_EQ(
            PerName.Texts(),
            std::vector<RC::StringType>{
                L"QVH_MotionArchive : Refused a file name that leaves the animation folder: " +
                Name + L"\n"});
    }

    Game.WriteFile("Sub/Idle.json", "{\"Idle\": true}\r\n");
    EXPECT_EQ(Read(L"Sub\\Idle.json"), L"{\"Idle\": true}");
    EXPECT_EQ(Read(L"Sub\\/Idle.json"), L"{\"Idle\": true}");
    EXPECT_TRUE(Log.Texts().empty());
}

TEST_F(WindowsPathsTest, RefusesDeviceNamesBeforeOpeningThem) {
    // Reading COM1 would wait on a serial port, CON on the console: the test would hang.
    std::filesystem::create_directories(Game.AnimFolder() / "Sub");
    const std::wstring Devices[] = {L"NUL",           L"con.json", L"aux.json", L"Sub\\COM1",
                                    L"Sub\\lpt1.txt", L"CONIN$",   L"nul .json"};
    for (const std::wstring& Name : Devices) {
        QVH::Test::CapturedLog PerName;
        EXPECT_EQ(Read(Name), RC::StringType()) << QVH::ToUtf8Lossy(Name);
        EXPECT_EQ(PerName.Texts(),
                  std::vector<RC::StringType>{
                      L"QVH_MotionArchive : Animation file name names a device, not a file: " +
                      Name + L"\n"});
    }
    // Names that merely begin like a device's are files.
    for (const std::wstring Name :
         {L"NULL.json", L"COM10.json", L"console.json", L"Con_Idle.json"}) {
        WriteNative(Game.AnimFolder(), Name, "ok");
        EXPECT_EQ(Read(Name), L"ok") << QVH::ToUtf8Lossy(Name);
    }
}

TEST_F(WindowsPathsTest, AFileWhoseFullPathPassesMaxPathReadsAndLongNamesAreStillChecked) {
    // Sub-folders of 60 characters, so the file's full path ends far past MAX_PATH, however short
    // the temporary folder the game lives in.
    std::wstring Deep;
    std::wstring Folder = LongForm(Game.AnimFolder());
    for (int Level = 0; Level < 6; ++Level) {
        const std::wstring Sub = L"Level" + std::to_wstring(Level) + std::wstring(54, L'_');
        Deep += Sub + L"\\";
        Folder += L"\\" + Sub;
        ASSERT_TRUE(CreateDirectoryW(Folder.c_str(), nullptr)) << GetLastError();
    }
    WriteNative(Folder, L"Walk.json", "{\"Deep\": true}\r\n");
    ASSERT_GT(Game.AnimFolder().native().size() + Deep.size(), std::size_t{MAX_PATH} + 100);
    std::wstring DeepWithSlashes = Deep;
    std::replace(DeepWithSlashes.begin(), DeepWithSlashes.end(), L'\\', L'/');

    const struct {
        std::wstring Name;
        std::wstring Text;
        std::wstring Logged;  // the line's text before the name, or nothing
    } Cases[] = {
        {Deep + L"Walk.json", L"{\"Deep\": true}", L""},
        {DeepWithSlashes + L"Walk.json", L"{\"Deep\": true}", L""},
        {Deep + L"Run.json", L"", L"Animation file not found: "},
        {Deep.substr(0, Deep.size() - 1), L"", L"Animation file is a folder: "},
        {Deep + L"COM1", L"", L"Animation file name names a device, not a file: "},
        {Deep + L"nul.json", L"", L"Animation file name names a device, not a file: "},
        // Climbs back out of every level and one more: lands beside the folder.
        {Deep + L"..\\..\\..\\..\\..\\..\\..\\x.json", L"",
         L"Refused a file name that leaves the animation folder: "},
    };
    std::ofstream(Game.AnimFolder().parent_path() / "x.json", std::ios::binary) << "escaped";
    for (const auto& Case : Cases) {
        QVH::Test::CapturedLog PerName;
        EXPECT_EQ(Read(Case.Name), Case.Text) << QVH::ToUtf8Lossy(Case.Name);
        std::vector<RC::StringType> Lines;
        if (!Case.Logged.empty()) {
            Lines.push_back(L"QVH_MotionArchive : " + Case.Logged + Case.Name + L"\n");
        }
        EXPECT_EQ(PerName.Texts(), Lines) << QVH::ToUtf8Lossy(Case.Name);
    }
    // The game folder's own clean-up may not reach this deep.
    DeleteFileW((Folder + L"\\Walk.json").c_str());
    for (const std::size_t Top = LongForm(Game.AnimFolder()).size(); Folder.size() > Top;
         Folder.erase(Folder.rfind(L'\\'))) {
        RemoveDirectoryW(Folder.c_str());
    }
}

TEST(LongPathFormTest, PrefixesDriveAndUncPathsAndKeepsLongOnes) {
    const struct {
        const wchar_t* Full;
        const wchar_t* Long;
    } Cases[] = {
        {L"C:\\Game\\Walk.json", L"\\\\?\\C:\\Game\\Walk.json"},
        // A game on a network share: "\\?\\server" would name no server.
        {L"\\\\server\\share\\Game\\Walk.json", L"\\\\?\\UNC\\server\\share\\Game\\Walk.json"},
        {L"\\\\?\\C:\\Game\\Walk.json", L"\\\\?\\C:\\Game\\Walk.json"},
    };
    for (const auto& Case : Cases) {
        EXPECT_EQ(QVH::detail::LongPathForm(Case.Full), Case.Long) << QVH::ToUtf8Lossy(Case.Full);
    }
}

TEST_F(WindowsPathsTest, AFileAnotherProgramHoldsAloneSaysWhyItCouldNotBeOpened) {
    WriteNative(Game.AnimFolder(), L"Held.json", "{}");
    // As an editor that keeps the file open with no sharing.
    const HANDLE Held = CreateFileW((Game.AnimFolder() / "Held.json").c_str(), GENERIC_READ, 0,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(Held, INVALID_HANDLE_VALUE) << GetLastError();
    EXPECT_EQ(Read(L"Held.json"), RC::StringType());
    CloseHandle(Held);
    // The system's own message (Windows and Wine word it differently), without its full stop and
    // line end.
    wchar_t Message[256] = {};
    FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   ERROR_SHARING_VIOLATION, 0, Message, 256, nullptr);
    std::wstring Reason = Message;
    Reason.erase(Reason.find_last_not_of(L".\r\n ") + 1);
    ASSERT_FALSE(Reason.empty());
    EXPECT_EQ(Log.Texts(), std::vector<RC::StringType>{
                               L"QVH_MotionArchive : Could not open animation file: Held.json (" +
                               Reason + L")\n"});
}

}  // namespace
