#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "File/Macros.hpp"

namespace QVH::detail {

// A file opened for reading, closed when the object goes: the one place where the file service
// meets the operating system's file calls (POSIX open/read, or the Windows wide-path API, so
// that any Unicode name opens the file of that name). Other processes may read, write, rename
// or delete the file meanwhile. Any thread; one object is not for two threads at once.
class InputFile {
public:
    // Device: the path names a device (a console, a serial port, "NUL"), not a file; on Windows
    // that is found from the name alone, before anything is opened. Anything opened that is not a
    // regular file (on Windows, not a disk file) counts as one: a FIFO, a socket.
    enum class OpenStatus { Opened, Missing, Folder, Device, Failed };

    // Path is UTF-8 text. A path that is not valid UTF-8 where the system needs it to be (on
    // Windows, whose names are UTF-16) cannot be opened.
    explicit InputFile(const std::u8string& Path);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    OpenStatus Status() const noexcept { return Opened; }
    // The file's length as the system reports it, or nothing when it gave none. Only a hint: the
    // file may change while it is read, and system files such as those of /proc say 0.
    std::optional<std::uint64_t> Size() const noexcept { return KnownSize; }
    // Reads up to Count bytes into Buffer: the number read, 0 at the end of the file, or -1 on a
    // read error.
    std::int64_t Read(char* Buffer, std::size_t Count) noexcept;
    // The system's error of a failed open (Status() Failed) or of the last failed Read; empty
    // when there was none (SystemErrorText words it).
    std::error_code Error() const noexcept { return LastError; }

private:
    std::intptr_t Handle = -1;
    OpenStatus Opened = OpenStatus::Failed;
    std::optional<std::uint64_t> KnownSize;
    std::error_code LastError;
};

#ifdef _WIN32
// The long form of FullPath, a full path as GetFullPathNameW gives it ("C:\..." or
// "\\server\share\..."): "\\?\C:\..." or "\\?\UNC\server\share\...", which the wide file calls
// take past MAX_PATH and use as it is. A path already in that form stays as it is.
std::wstring LongPathForm(std::wstring_view FullPath);
#endif

}  // namespace QVH::detail
