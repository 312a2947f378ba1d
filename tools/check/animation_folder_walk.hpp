#pragma once

// The animation folder's entries as stored on disk, sub-folders walked.

#include <cstddef>
#include <string>
#include <vector>

#include "File/Macros.hpp"
#include "tools/check/check_finding.hpp"
#include "tools/check/check_names.hpp"

namespace QVH::Check {

// Where a link to a folder leads. The walk goes through no link: what is behind one is either
// walked where it is, or out of the animation folder's tree, or round and round.
enum class FolderLink {
    None,     // not a link to a folder
    Above,    // to a folder that holds the link, so a walk through it would never end
    Inside,   // to another folder of the tree, walked where it is
    Outside,  // out of the tree
};

struct DiskEntry {
    NativeName OwnName;            // its own name, as stored
    std::string Shown;             // EscapedNameUtf8(OwnName)
    std::size_t Parent = NoEntry;  // the index of its folder's entry; NoEntry at the top level
    EntryType Type = EntryType::File;
    FolderLink Link = FolderLink::None;
    std::string WalkError;  // for a folder that could not be walked: why
};

struct FolderWalk {
    std::vector<DiskEntry> Entries;
    std::string Error;  // the folder itself could not be walked: why
};

// Every entry below Folder (native, relative to the working directory as the mod's reads are),
// each folder's entries in the order of their shown names, a sub-folder's entries right after
// it. The walk stays in Folder's own tree: it goes through no link to a folder (its Link says
// where it leads), and walks a folder reached again (a mount of one above it) only once. A
// folder that cannot be walked, or whose identity cannot be told, has its WalkError. Memory
// grows with the number of entries and the length of their own names, not of their paths; time
// with the number of entries.
FolderWalk WalkAnimationFolder(const NativeName& Folder);

// The name a read takes for the entry at Index: the listed names from the top level down,
// joined by "/".
RC::StringType ReadNameOf(const FolderWalk& Walk, std::size_t Index);

}  // namespace QVH::Check
