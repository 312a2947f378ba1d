#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <system_error>

#include "tools/check/folder_entries.hpp"

namespace QVH::HostTool {
namespace {

struct CloseFolder {
    void operator()(DIR* Folder) const { ::closedir(Folder); }
};

bool IsDotOrDotDot(const char* Name) {
    return Name[0] == '.' && (Name[1] == 0 || (Name[1] == '.' && Name[2] == 0));
}

std::string LastError() { return std::generic_category().message(errno); }

// How long a folder's path past its mark may grow, in bytes and in names (each perhaps a link: the
// system follows no more than 40 in one lookup), before the folder becomes a mark itself. Each
// lookup then walks a few names, however deep the folder, and the marks kept open are few.
constexpr std::size_t MarkAfterBytes = 1024;
constexpr std::size_t MarkAfterNames = 32;

bool IsBelow(const NativeName& Path, const NativeName& Folder) {
    return Path.size() > Folder.size() && Path[Folder.size()] == '/' && Path.starts_with(Folder);
}

}  // namespace

FolderLister::~FolderLister() {
    for (const Mark& Kept : Marks) {
        ::close(Kept.Descriptor);
    }
}

bool FolderLister::List(const NativeName& Path, std::vector<FolderEntry>& Out, std::string& Error) {
    // The walk has come back up from the marks that are not on Path's way.
    while (!Marks.empty() && !IsBelow(Path, Marks.back().Path)) {
        ::close(Marks.back().Descriptor);
        Marks.pop_back();
    }
    const int From = Marks.empty() ? AT_FDCWD : Marks.back().Descriptor;
    const std::size_t Past = Marks.empty() ? 0 : Marks.back().Path.size() + 1;
    // Non-blocking, as the mod opens files: a FIFO put in a folder's place cannot stall the walk.
    const int Descriptor = ::openat(From, Path.c_str() + Past,
                                    O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (Descriptor < 0) {
        Error = LastError();
        return false;
    }
    const auto Names = static_cast<std::size_t>(
        std::count(Path.begin() + static_cast<std::ptrdiff_t>(Past), Path.end(), '/'));
    if (Path.size() - Past > MarkAfterBytes || Names >= MarkAfterNames) {
        if (const int Kept = ::dup(Descriptor); Kept >= 0) {
            Marks.push_back({Path, Kept});
        }
    }
    const std::unique_ptr<DIR, CloseFolder> Folder(::fdopendir(Descriptor));
    if (!Folder) {
        Error = LastError();
        ::close(Descriptor);
        return false;
    }
    for (;;) {
        // readdir() tells its end from a failure only through errno.
        errno = 0;
        const dirent* const Found = ::readdir(Folder.get());
        if (Found == nullptr) {
            if (errno != 0) {
                Error = LastError();
                return false;
            }
            return true;
        }
        if (IsDotOrDotDot(Found->d_name)) {
            continue;
        }
        FolderEntry Entry;
        Entry.Name = Found->d_name;
        Entry.Shown = ShownName(Entry.Name);
        // Looked up from the folder's descriptor; links are followed, as a read follows them.
        struct stat Info {};
        if (::fstatat(::dirfd(Folder.get()), Found->d_name, &Info, 0) == 0) {
            if (S_ISDIR(Info.st_mode)) {
                Entry.Type = EntryType::Folder;
                Entry.Id = FolderId(Info.st_dev, Info.st_ino);
            } else if (S_ISREG(Info.st_mode)) {
                Entry.Type = EntryType::File;
            }
        }
        Out.push_back(std::move(Entry));
    }
}

std::optional<FolderId> IdOfFolder(const NativeName& Path) {
    struct stat Info {};
    if (::stat(Path.c_str(), &Info) != 0) {
        return std::nullopt;
    }
    return FolderId(Info.st_dev, Info.st_ino);
}

}  // namespace QVH::HostTool
