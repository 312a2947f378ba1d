#include "tools/check/animation_folder_walk.hpp"

#include <algorithm>
#include <optional>
#include <set>
#include <utility>

#include "tools/check/folder_entries.hpp"

namespace QVH::Check {
namespace {

// One folder being walked: its entries, sorted, and how far they are taken.
struct Level {
    std::vector<FolderEntry> Entries;
    std::size_t Next = 0;
    std::size_t Folder = NoEntry;  // its own entry
    std::size_t PathSize = 0;      // of its path, in the walk's path
    std::optional<FolderId> Id;
};

void Sort(std::vector<FolderEntry>& Entries) {
    std::sort(Entries.begin(), Entries.end(),
              [](const FolderEntry& A, const FolderEntry& B) { return A.Shown < B.Shown; });
}

class Walker {
public:
    explicit Walker(const NativeName& Folder) : Path(Folder) {}

    FolderWalk Walk() {
        Levels.emplace_back();
        if (!Lister.List(Path, 0, Levels[0].Entries, Result.Error)) {
            return std::move(Result);
        }
        Sort(Levels[0].Entries);
        Levels[0].PathSize = Path.size();
        Levels[0].Id = IdOfFolder(Path);
        if (Levels[0].Id) {
            Walked.insert(*Levels[0].Id);
        }
        while (!Levels.empty()) {
            Level& Here = Levels.back();
            if (Here.Next == Here.Entries.size()) {
                Levels.pop_back();
            } else {
                Take(Here.Entries[Here.Next++], Here.Folder, Here.PathSize);
            }
        }
        // Only now are all the tree's folders known.
        for (const auto& [Index, Id] : Links) {
            Result.Entries[Index].Link =
                Walked.contains(Id) ? FolderLink::Inside : FolderLink::Outside;
        }
        return std::move(Result);
    }

private:
    // Adds Found, an entry of the folder Parent, and walks it when it is a folder of the tree.
    void Take(FolderEntry& Found, std::size_t Parent, std::size_t ParentPathSize) {
        const std::size_t Index = Result.Entries.size();
        DiskEntry& Entry = Result.Entries.emplace_back();
        Entry.OwnName = std::move(Found.Name);
        Entry.Shown = std::move(Found.Shown);
        Entry.Parent = Parent;
        Entry.Type = Found.Type;
        if (Found.Type != EntryType::Folder) {
            return;
        }
        if (!Found.Id) {
            Entry.WalkError = "cannot tell where it leads: " + Found.IdError;
            return;
        }
        if (Found.Link) {
            const bool Above = std::any_of(Levels.begin(), Levels.end(),
                                           [&](const Level& L) { return L.Id == Found.Id; });
            Entry.Link = Above ? FolderLink::Above : FolderLink::Outside;
            if (!Above) {
                Links.emplace_back(Index, *Found.Id);
            }
            return;
        }
        if (!Walked.insert(*Found.Id).second) {
            return;
        }
        Path.resize(ParentPathSize);
        Path += '/';
        Path += Entry.OwnName;
        Level Inner;
        if (!Lister.List(Path, Levels.size(), Inner.Entries, Entry.WalkError)) {
            return;
        }
        Sort(Inner.Entries);
        Inner.Folder = Index;
        Inner.PathSize = Path.size();
        Inner.Id = Found.Id;
        Levels.push_back(std::move(Inner));
    }

    FolderWalk Result;
    // One path for the whole walk, cut back and extended as the walk goes up and down, so that
    // no entry holds a path of its own.
    NativeName Path;
    FolderLister Lister;
    std::vector<Level> Levels;
    // The folders walked: each once, and what tells a link inside the tree from one out of it.
    std::set<FolderId> Walked;
    std::vector<std::pair<std::size_t, FolderId>> Links;  // to folders not above them
};

}  // namespace

FolderWalk WalkAnimationFolder(const NativeName& Folder) { return Walker(Folder).Walk(); }

RC::StringType ReadNameOf(const FolderWalk& Walk, std::size_t Index) {
    std::vector<std::size_t> Chain;
    for (std::size_t At = Index; At != NoEntry; At = Walk.Entries[At].Parent) {
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

}  // namespace QVH::Check
