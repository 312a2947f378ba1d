#include <windows.h>

#include <filesystem>
#include <system_error>

#include "log/escaped_name.hpp"
#include "tools/check/folder_entries.hpp"

namespace QVH::Check {
namespace {

EntryType TypeOf(const std::filesystem::path& Path) {
    std::error_code Error;
    // Links are followed, as a read follows them; a dangling one is neither file nor folder.
    const auto Status = std::filesystem::status(Path, Error);
    if (std::filesystem::is_directory(Status)) {
        return EntryType::Folder;
    }
    return std::filesystem::is_regular_file(Status) ? EntryType::File : EntryType::Other;
}

// Whether the entry at Path is a symbolic link or a junction: the filesystem library follows both
// and, with MinGW, tells neither apart.
bool IsLink(const std::filesystem::path& Path) {
    WIN32_FIND_DATAW Data;
    const HANDLE Found = ::FindFirstFileW(Path.c_str(), &Data);
    if (Found == INVALID_HANDLE_VALUE) {
        return false;
    }
    ::FindClose(Found);
    return (Data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 &&
           (Data.dwReserved0 == IO_REPARSE_TAG_SYMLINK ||
            Data.dwReserved0 == IO_REPARSE_TAG_MOUNT_POINT);
}

}  // namespace

FolderLister::~FolderLister() = default;

// Each folder by its whole path: Windows has no call that opens a path from a folder's handle.
bool FolderLister::List(const NativeName& Path, std::size_t /*Depth*/,
                        std::vector<FolderEntry>& Out, std::string& Error) {
    std::error_code Code;
    std::filesystem::directory_iterator It(std::filesystem::path(Path), Code);
    for (const std::filesystem::directory_iterator End; !Code && It != End; It.increment(Code)) {
        FolderEntry Entry;
        Entry.Name = It->path().filename().native();
        Entry.Shown = EscapedNameUtf8(Entry.Name);
        Entry.Type = TypeOf(It->path());
        if (Entry.Type == EntryType::Folder) {
            Entry.Link = IsLink(It->path());
            std::error_code IdError;
            const auto Canonical = std::filesystem::canonical(It->path(), IdError);
            if (IdError) {
                Entry.IdError = IdError.message();
            } else {
                Entry.Id = Canonical.native();
            }
        }
        Out.push_back(std::move(Entry));
    }
    if (Code) {
        Error = Code.message();
        return false;
    }
    return true;
}

std::optional<FolderId> IdOfFolder(const NativeName& Path) {
    std::error_code Error;
    const auto Canonical = std::filesystem::canonical(std::filesystem::path(Path), Error);
    if (Error) {
        return std::nullopt;
    }
    return Canonical.native();
}

}  // namespace QVH::Check
