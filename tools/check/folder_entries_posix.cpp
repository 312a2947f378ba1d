#include <dirent.h>
#include <sys/stat.h>

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

}  // namespace

bool ListFolderEntries(const NativeName& Path, std::vector<FolderEntry>& Out, std::string& Error) {
    const std::unique_ptr<DIR, CloseFolder> Folder(::opendir(Path.c_str()));
    if (!Folder) {
        Error = LastError();
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
        // Each entry looked up from its folder's descriptor: the cost is the same at any depth.
        // Links are followed, as a read follows them.
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
