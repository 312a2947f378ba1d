#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

#include "anim_files/input_file.hpp"

namespace QVH::detail {
namespace {

std::error_code LastSystemError() {
    return {static_cast<int>(::GetLastError()), std::system_category()};
}

HANDLE AsHandle(std::intptr_t Handle) { return reinterpret_cast<HANDLE>(Handle); }

// The path as UTF-16, so the name reaches the file of that name. The runtime refuses ill-formed
// UTF-8 (from a name with an unpaired surrogate): then no path.
bool MakePath(const std::u8string& Text, std::filesystem::path& Path) {
    try {
        Path = std::filesystem::path(Text);
        return true;
    } catch (const std::system_error&) {
        return false;
    }
}

// The system's full form of the path, resolved as an open of it would be: the working folder
// joined in, "/" turned into "\\", "." and ".." applied. Empty when the system has none for it.
std::wstring FullPathOf(const std::filesystem::path& Path) {
    const DWORD Needed = ::GetFullPathNameW(Path.c_str(), 0, nullptr, nullptr);
    if (Needed == 0) {
        return {};
    }
    std::wstring Full(Needed, L'\0');
    const DWORD Length = ::GetFullPathNameW(Path.c_str(), Needed, Full.data(), nullptr);
    if (Length == 0 || Length >= Needed) {
        return {};  // the working folder changed between the two calls
    }
    Full.resize(Length);
    return Full;
}

// Windows takes "CON", "aux.json", "COM1" and the like, in any folder, for devices: opening one
// could toggle a serial port, and reading a console or a port waits for input on the game
// thread. The system's own full form of the path says whether it means a device ("\\.\COM1"),
// by the rules of the Windows version at hand.
bool NamesDevice(std::wstring_view FullPath) { return FullPath.starts_with(L"\\\\.\\"); }

}  // namespace

std::wstring LongPathForm(std::wstring_view FullPath) {
    if (FullPath.starts_with(L"\\\\?\\")) {
        return std::wstring(FullPath);
    }
    if (FullPath.starts_with(L"\\\\")) {
        return L"\\\\?\\UNC\\" + std::wstring(FullPath.substr(2));  // "\\server\share\..."
    }
    return L"\\\\?\\" + std::wstring(FullPath);
}

InputFile::InputFile(const std::u8string& Text) {
    std::filesystem::path Path;
    if (!MakePath(Text, Path)) {
        return;  // Failed
    }
    const std::wstring Full = FullPathOf(Path);
    if (NamesDevice(Full)) {
        Opened = OpenStatus::Device;
        return;
    }
    // A plain path stops at MAX_PATH (260) characters unless both the system and the game opted
    // in to longer ones; the long form of the full path has no such limit and names the same
    // file. Without a full path, opening the path as given reports what is wrong with it.
    const std::wstring Opening = Full.empty() ? Path.native() : LongPathForm(Full);
    // Binary by nature: no text-mode translation ends the content at a 0x1A byte.
    const HANDLE File = ::CreateFileW(Opening.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (File == INVALID_HANDLE_VALUE) {
        const DWORD Error = ::GetLastError();
        LastError = {static_cast<int>(Error), std::system_category()};
        // A folder cannot be opened this way; tell it apart from a missing file.
        const DWORD Attributes = ::GetFileAttributesW(Opening.c_str());
        if (Attributes != INVALID_FILE_ATTRIBUTES && (Attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            Opened = OpenStatus::Folder;
        } else if (Error == ERROR_FILE_NOT_FOUND || Error == ERROR_PATH_NOT_FOUND) {
            Opened = OpenStatus::Missing;
        } else {
            Opened = OpenStatus::Failed;
        }
        return;
    }
    Handle = reinterpret_cast<std::intptr_t>(File);
    if (::GetFileType(File) != FILE_TYPE_DISK) {
        // Reached some other way, say through a link: still no file to read.
        Opened = OpenStatus::Device;
        return;
    }
    Opened = OpenStatus::Opened;
    LARGE_INTEGER Length;
    if (::GetFileSizeEx(File, &Length)) {
        KnownSize = static_cast<std::uint64_t>(Length.QuadPart);
    }
}

InputFile::~InputFile() {
    if (Handle != -1) {
        ::CloseHandle(AsHandle(Handle));
    }
}

std::int64_t InputFile::Read(char* Buffer, std::size_t Count) noexcept {
    if (Opened != OpenStatus::Opened) {
        return -1;
    }
    const DWORD Wanted = static_cast<DWORD>(std::min<std::size_t>(Count, std::size_t{1} << 30));
    DWORD Got = 0;
    if (!::ReadFile(AsHandle(Handle), Buffer, Wanted, &Got, nullptr)) {
        if (::GetLastError() == ERROR_BROKEN_PIPE) {
            return 0;
        }
        LastError = LastSystemError();
        return -1;
    }
    return Got;
}

}  // namespace QVH::detail
