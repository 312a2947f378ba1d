#include "tools/check/animation_folder_walk.hpp"

#include <algorithm>
#include <optional>
#include <set>
#include <utility>

#include "tools/check/folder_entries.hpp"

namespace QVH::HostTool {
namespace {

// One folder being walked: its entries, sorted, and how far they are taken.
struct Level {
    std::vector<FolderEntry> Entries;
    std::size_t Next = 0;
    std::size_t Folder = NoParent;  // its own entry
    std::size_t PathSize = 0;       // of its path, in the walk's path
};

void Sort(std::vector<FolderEntry>& Entries) {
    std::sort(Entries.begin(), Entries.end(),
              [](const FolderEntry& A, const FolderEntry& B) { return A.Shown < B.Shown; });
}

}  // namespace

FolderWalk WalkAnimationFolder(const NativeName& Folder) {
    FolderWalk Walk;
    std::set<FolderId> Visited;
    // One path for the whole walk, cut back and extended as the walk goes up and down, so that
    // no entry holds a path of its own.
    NativeName Path = Folder;
    FolderLister Lister;
    std::vector<Level> Levels(1);
    if (!Lister.List(Path, Levels[0].Entries, Walk.Error)) {
        return Walk;
    }
    if (const std::optional<FolderId> Id = IdOfFolder(Path)) {
        Visited.insert(*Id);
    }
    Sort(Levels[0].Entries);
    Levels[0].PathSize = Path.size();
    while (!Levels.empty()) {
        Level& Here = Levels.back();
        if (Here.Next == Here.Entries.size()) {
            Levels.pop_back();
            continue;
        }
        FolderEntry& Found = Here.Entries[Here.Next++];
        DiskEntry Entry;
        Entry.Parent = Here.Folder;
        if (Here.Folder == NoParent) {
            Entry.Shown = std::move(Found.Shown);
        } else {
            // Exactly as long as it must be: in a deep tree, the names are most of the memory.
            const std::string& Above = Walk.Entries[Here.Folder].Shown;
            Entry.Shown.reserve(Above.size() + 1 + Found.Shown.size());
            Entry.Shown.append(Above).append(1, '/').append(Found.Shown);
        }
        Entry.OwnName = std::move(Found.Name);
        Entry.Type = Found.Type;
        const std::size_t Index = Walk.Entries.size();
        Walk.Entries.push_back(std::move(Entry));
        if (Found.Type != EntryType::Folder) {
            continue;
        }
        if (!Found.Id) {
            Walk.Entries[Index].WalkError = "cannot tell where it leads: " + Found.IdError;
            continue;
        }
        if (!Visited.insert(*Found.Id).second) {
            continue;
        }
        Path.resize(Here.PathSize);
        Path += '/';
        Path += Walk.Entries[Index].OwnName;
        Level Inner;
        if (!Lister.List(Path, Inner.Entries, Walk.Entries[Index].WalkError)) {
            continue;
        }
        Sort(Inner.Entries);
        Inner.Folder = Index;
        Inner.PathSize = Path.size();
        Levels.push_back(std::move(Inner));  // Here is gone from now on
    }
    return Walk;
}

RC::StringType ReadNameOf(const FolderWalk& Walk, std::size_t Index) {
    std::vector<std::size_t> Chain;
    for (std::size_t At = Index; At != NoParent; At = Walk.Entries[At].Parent) {
        Chain.push_back(At);
    }
    RC::StringType Name;
    for (auto At = Chain.rbegin(); At != Chain.rend(); ++At) {
        if (At != Chain.rbegin()) {
            Name += STR('/');
        }
        Name += ListedName(Walk.Entries[*At].OwnName);
    }
    return Name;
}

}  // namespace QVH::HostTool
