#include "tools/check/animation_folder_walk.hpp"

#include <algorithm>
#include <set>
#include <system_error>

namespace QVH::HostTool {
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

class Walker {
public:
    FolderWalk Result;

    // The entries of Folder, appended; false, with the reason in Error, when it cannot be listed.
    bool Walk(const std::filesystem::path& Folder, const DiskEntry* Parent, std::string& Error) {
        std::error_code Code;
        std::filesystem::directory_iterator It(Folder, Code);
        std::vector<DiskEntry> Found;
        for (const std::filesystem::directory_iterator End; !Code && It != End;
             It.increment(Code)) {
            DiskEntry Entry;
            Entry.OwnName = It->path().filename().native();
            Entry.Path = It->path();
            Entry.Type = TypeOf(Entry.Path);
            Entry.TopLevel = Parent == nullptr;
            Entry.Shown = ShownName(Entry.OwnName);
            Entry.ReadName = ListedName(Entry.OwnName);
            if (Parent != nullptr) {
                Entry.Shown = Parent->Shown + "/" + Entry.Shown;
                Entry.ReadName = Parent->ReadName + STR("/") + Entry.ReadName;
            }
            Found.push_back(std::move(Entry));
        }
        if (Code) {
            Error = Code.message();
            return false;
        }
        std::sort(Found.begin(), Found.end(),
                  [](const DiskEntry& A, const DiskEntry& B) { return A.Shown < B.Shown; });
        for (DiskEntry& Entry : Found) {
            const bool Descend = Entry.Type == EntryType::Folder && FirstVisit(Entry.Path);
            const std::size_t At = Result.Entries.size();
            Result.Entries.push_back(Entry);
            std::string WalkError;
            if (Descend && !Walk(Entry.Path, &Entry, WalkError)) {
                Result.Entries[At].WalkError = WalkError;
            }
        }
        return true;
    }

    // False for a folder seen before, or one whose real place cannot be told (a link loop).
    bool FirstVisit(const std::filesystem::path& Folder) {
        std::error_code Error;
        const auto Canonical = std::filesystem::canonical(Folder, Error);
        return !Error && Visited.insert(Canonical).second;
    }

private:
    std::set<std::filesystem::path> Visited;
};

}  // namespace

FolderWalk WalkAnimationFolder(const std::filesystem::path& Folder) {
    Walker W;
    W.FirstVisit(Folder);
    W.Walk(Folder, nullptr, W.Result.Error);
    return std::move(W.Result);
}

}  // namespace QVH::HostTool
