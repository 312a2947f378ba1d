#pragma once

// The animation folder's entries as stored on disk, sub-folders walked.

#include <filesystem>
#include <string>
#include <vector>

#include "File/Macros.hpp"
#include "tools/check/check_finding.hpp"
#include "tools/check/check_names.hpp"

namespace QVH::HostTool {

struct DiskEntry {
    std::string Shown;           // "Gestures/Wave_Hello.json", as ShownName shows each part
    RC::StringType ReadName;     // the name a read takes: the listed names joined by "/"
    NativeName OwnName;          // the last part, as stored
    std::filesystem::path Path;  // to read the entry directly
    EntryType Type = EntryType::File;
    bool TopLevel = false;
    std::string WalkError;  // for a folder that could not be walked: why
};

struct FolderWalk {
    std::vector<DiskEntry> Entries;
    std::string Error;  // the folder itself could not be walked: why
};

// Every entry below Folder, each folder's entries in the order of their shown names, a
// sub-folder's entries right after it. A folder reached again through a link is not walked again.
FolderWalk WalkAnimationFolder(const std::filesystem::path& Folder);

}  // namespace QVH::HostTool
