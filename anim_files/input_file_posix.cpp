#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "anim_files/input_file.hpp"

namespace QVH::detail {
namespace {

std::error_code LastSystemError() { return {errno, std::generic_category()}; }

}  // namespace

InputFile::InputFile(const std::u8string& Path) {
    // The name's bytes go to the system unchanged. Non-blocking, so a FIFO with no writer cannot
    // stall the game thread in open() or read().
    const int Descriptor = ::open(reinterpret_cast<const char*>(Path.c_str()),
                                  O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (Descriptor < 0) {
        if (errno == ENXIO) {
            // What a socket, or a device node with no device behind it, gives.
            Opened = OpenStatus::Device;
            return;
        }
        Opened = (errno == ENOENT || errno == ENOTDIR) ? OpenStatus::Missing : OpenStatus::Failed;
        LastError = LastSystemError();
        return;
    }
    Handle = Descriptor;
    struct stat Info {};
    if (::fstat(Descriptor, &Info) != 0) {
        Opened = OpenStatus::Failed;
        LastError = LastSystemError();
    } else if (S_ISDIR(Info.st_mode)) {
        Opened = OpenStatus::Folder;
    } else if (!S_ISREG(Info.st_mode)) {
        // A link to a terminal or to /dev/zero, a FIFO, a socket: no data file, perhaps one
        // without end, and a FIFO with no writer would pass for an empty file.
        Opened = OpenStatus::Device;
    } else {
        Opened = OpenStatus::Opened;
        KnownSize = static_cast<std::uint64_t>(Info.st_size);
    }
}

InputFile::~InputFile() {
    if (Handle >= 0) {
        ::close(static_cast<int>(Handle));  // never retried: the descriptor is gone either way
    }
}

std::int64_t InputFile::Read(char* Buffer, std::size_t Count) noexcept {
    if (Opened != OpenStatus::Opened) {
        return -1;
    }
    // Some systems refuse single reads of 2 GiB or more.
    Count = std::min<std::size_t>(Count, std::size_t{1} << 30);
    ssize_t Got;
    do {
        Got = ::read(static_cast<int>(Handle), Buffer, Count);
    } while (Got < 0 && errno == EINTR);
    if (Got < 0) {
        LastError = LastSystemError();
    }
    return Got;
}

}  // namespace QVH::detail
