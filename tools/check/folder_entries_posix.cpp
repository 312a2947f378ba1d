#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <system_error>

#include "anim_files/readdir_folder.hpp"
#include "tools/check/folder_entries.hpp"

namespace QVH::HostTool {
namespace {

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
    const QVH::detail::ReaddirFolder Folder(::fdopendir(Descriptor));
    if (!Folder) {
        Error = LastError();
        ::close(Descriptor);
        return false;
    }
    const int Opened = ::dirfd(Folder.get());
    const std::error_code Failed = QVH::detail::ForEachEntry(*Folder, [&](const char* Name) {
        FolderEntry Entry;
        Entry.Name = Name;
        Entry.Shown = ShownName(Entry.Name);
        // Looked up from the folder's descriptor; links are followed, as a read follows them.
        struct stat Info {};
        if (::fstatat(Opened, Name, &Info, 0) == 0) {
            if (S_ISDIR(Info.st_mode)) {
                Entry.Type = EntryType::Folder;
                Entry.Id = FolderId(Info.st_dev, Info.st_ino);
            } else if (S_ISREG(Info.st_mode)) {
                Entry.Type = EntryType::File;
            }
        }
        Out.push_back(std::move(Entry));
    });
    if (Failed) {
        Error = Failed.message();
    }
    return !Failed;
}

std::optional<FolderId> IdOfFolder(const NativeName& Path) {
    struct stat Info {};
    if (::stat(Path.c_str(), &Info) != 0) {
        return std::nullopt;
    }
    return FolderId(Info.st_dev, Info.st_ino);
}

}  // namespace QVH::HostTool
