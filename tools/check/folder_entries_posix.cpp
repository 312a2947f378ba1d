#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <system_error>

#include "anim_files/readdir_folder.hpp"
#include "log/escaped_name.hpp"
#include "tools/check/folder_entries.hpp"

namespace QVH::Check {
namespace {

std::string LastError() { return std::generic_category().message(errno); }

// How long a folder's path past its mark may grow, in bytes and in names (each perhaps a link: the
// system follows no more than 40 in one lookup), before the folder becomes a mark itself. Each
// lookup then walks a few names, however deep the folder, and the marks kept open are few: with the
// longest names (255 bytes), one in thirteen folders on the way. The bytes stay below the system's
// limit for one lookup (4096) with one more name after them.
constexpr std::size_t MarkAfterBytes = 3072;
constexpr std::size_t MarkAfterNames = 32;

// The entry Name of the open folder Folder, looked up from the folder's descriptor; links are
// followed, as a read follows them, but told apart.
FolderEntry EntryIn(int Folder, const char* Name) {
    FolderEntry Entry;
    Entry.Name = Name;
    Entry.Shown = EscapedNameUtf8(Entry.Name);
    struct stat Info {};
    bool Found = ::fstatat(Folder, Name, &Info, AT_SYMLINK_NOFOLLOW) == 0;
    if (Found && S_ISLNK(Info.st_mode)) {
        Entry.Link = true;
        Found = ::fstatat(Folder, Name, &Info, 0) == 0;
    }
    if (Found && S_ISDIR(Info.st_mode)) {
        Entry.Type = EntryType::Folder;
        Entry.Id = FolderId(Info.st_dev, Info.st_ino);
    } else if (Found && S_ISREG(Info.st_mode)) {
        Entry.Type = EntryType::File;
    }
    return Entry;
}

}  // namespace

FolderLister::~FolderLister() {
    for (const Mark& Kept : Marks) {
        ::close(Kept.Descriptor);
    }
}

bool FolderLister::List(const NativeName& Path, std::size_t Depth, std::vector<FolderEntry>& Out,
                        std::string& Error) {
    // The marks this deep or deeper are of folders the walk has come back up from.
    while (!Marks.empty() && Marks.back().Depth >= Depth) {
        ::close(Marks.back().Descriptor);
        Marks.pop_back();
    }
    const int From = Marks.empty() ? AT_FDCWD : Marks.back().Descriptor;
    const std::size_t Past = Marks.empty() ? 0 : Marks.back().PathSize + 1;
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
            Marks.push_back({Depth, Path.size(), Kept});
        }
    }
    const QVH::ReaddirFolder Folder(::fdopendir(Descriptor));
    if (!Folder) {
        Error = LastError();
        ::close(Descriptor);
        return false;
    }
    const int Opened = ::dirfd(Folder.get());
    const std::error_code Failed =
        QVH::ForEachEntry(*Folder, [&](const char* Name) { Out.push_back(EntryIn(Opened, Name)); });
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

}  // namespace QVH::Check
