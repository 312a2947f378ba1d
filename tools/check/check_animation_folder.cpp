#include "tools/check/check_animation_folder.hpp"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "anim_files/animation_file_name.hpp"
#include "anim_files/animation_folder.hpp"
#include "anim_files/listing_separator.hpp"
#include "anim_files/read_failure.hpp"
#include "anim_files/system_error_text.hpp"
#include "bridge/comms_call_params.hpp"
#include "text/to_utf8.hpp"
#include "tools/check/animation_folder_walk.hpp"
#include "tools/check/check_file_bytes.hpp"
#include "tools/check/check_json.hpp"
#include "tools/check/check_names.hpp"
#include "tools/check/disk_file.hpp"
#include "tools/check/quoted.hpp"

namespace QVH::Check {
namespace {

std::string Joined(const std::vector<std::string>& Lines) {
    std::string Text;
    for (const std::string& Line : Lines) {
        Text += (Text.empty() ? "" : "; ") + Quoted(Line);
    }
    return Text;
}

bool EndsInJson(const RC::StringType& Name) {
    // Any letter case: the engine's string comparisons ignore it by default.
    if (Name.size() < 5) {
        return false;
    }
    const RC::StringType End = Name.substr(Name.size() - 5);
    const char Json[] = ".json";
    for (std::size_t I = 0; I < 5; ++I) {
        const auto Unit = End[I];
        const auto Lower = Unit >= 'A' && Unit <= 'Z' ? Unit - 'A' + 'a' : Unit;
        if (Lower != static_cast<RC::CharType>(Json[I])) {
            return false;
        }
    }
    return true;
}

// Why the file as stored gives no bytes to check, when the mod's read of it gave some: in the
// words of the mod's log line for the failure, and with the system's reason.
std::string Unreadable(const DiskRead& Read) {
    std::string Text = ToUtf8Lossy(ReadFailureWords(*Read.Failure));
    if (Read.Error) {
        Text += " (" + ToUtf8Lossy(SystemErrorText(Read.Error)) + ")";
    }
    return Text;
}

// The top-level entries the listing shows: each name as a piece of the listing, or, for a name
// with ListingSeparator in it, as the pieces it is split into.
std::map<RC::StringType, int> ListingPieces(const RC::StringType& Listing) {
    std::map<RC::StringType, int> Pieces;
    for (const RC::StringViewType Piece : SplitListing(Listing)) {
        ++Pieces[RC::StringType(Piece)];
    }
    return Pieces;
}

bool TakeFromListing(std::map<RC::StringType, int>& Pieces, const RC::StringType& Name) {
    bool All = true;
    for (const auto& [Piece, Count] : ListingPieces(Name)) {
        int& Left = Pieces[Piece];
        All = All && Left >= Count;
        Left -= std::min(Left, Count);
    }
    return All;
}

void CheckStored(const DiskFile& Stored, const RC::StringType& Name, const CommsCallResult& Read,
                 EntryFindings& Out) {
    CheckFileBytes(Stored, Out);
    const bool Empty = Stored.Bytes.empty();
    if (Read.Payload.empty() && !Empty && !Stored.Nul) {
        Out.Add(FindingId::ReadEmpty,
                "the read gives nothing: the file holds no more than line breaks and a "
                "byte-order mark");
    }
    if (!EndsInJson(Name)) {
        Out.Add(FindingId::NotJsonName,
                "the name does not end in .json: the listing shows it to the Blueprint all "
                "the same, and it is not checked as JSON");
        return;
    }
    if (Empty) {
        return;
    }
    CheckJsonLineBreaks(Stored, Out);
    if (!Read.Payload.empty()) {
        CheckJsonSyntax(ToUtf8Lossy(Read.Payload), Stored, Out);
    }
}

// A link to a folder, which the game reads through and the check does not.
void CheckLink(FolderLink Link, EntryFindings& Out) {
    switch (Link) {
        case FolderLink::Outside:
            Out.Add(FindingId::LinkLeavesFolder,
                    "a link to a folder outside the animation folder: the game reads through "
                    "it, but the check does not go there, so what is in it is not checked");
            break;
        case FolderLink::Above:
            Out.Add(FindingId::LinkCycle,
                    "a link to a folder of the animation folder that holds it, so that names "
                    "through it "
                    "never end: "
                    "the game reads through it, the check does not go round it");
            break;
        case FolderLink::Inside:
            Out.Add(FindingId::LinkInsideFolder,
                    "a link to another folder of the animation folder: the game reads "
                    "through it too; the check does not, and checks that folder where it is");
            break;
        case FolderLink::None:
            break;
    }
}

void CheckFile(const FolderWalk& Walk, std::size_t Index, const CommsCall& Call,
               EntryFindings& Out) {
    const RC::StringType Name = ReadNameOf(Walk, Index);
    const CommsCallResult Read = Call(ReadCallType, Name);
    if (!Read.Log.empty()) {
        Out.Add(FindingId::ReadFailed, "the read gives nothing: the mod logs " + Joined(Read.Log));
        return;
    }
    if (Walk.Entries[Index].Type == EntryType::Other) {
        if (Read.Payload.empty()) {
            Out.Add(FindingId::NotAFile, "neither a file nor a folder: the read gives nothing");
        }
        return;
    }
    // The file is read again as stored, as the mod reads it, for the places in it: the mod's
    // text no longer has its line breaks. A file that changed meanwhile can fail any way.
    const std::string Unchecked =
        "qvh-host cannot read the file itself, so its bytes are not "
        "checked: ";
    try {
        const DiskRead Stored = ReadDiskFile(AnimationFilePathText(Name));
        if (Stored.Failure) {
            Out.Add(FindingId::StoredUnreadable, Unchecked + Unreadable(Stored));
            return;
        }
        CheckStored(Stored.File, Name, Read, Out);
    } catch (const std::exception& Error) {
        Out.Add(FindingId::StoredUnreadable, Unchecked + Error.what());
    }
}

}  // namespace

CheckReport CheckAnimationFolder(const CommsCall& Call) {
    CheckReport Report;
    Report.Folder.assign(QVH::AnimationFolder.begin(), QVH::AnimationFolder.end());
    EntryFindings FolderFindings(NoEntry, Report.Findings);
    const CommsCallResult Listing = Call(ListCallType, STR(""));
    if (!Listing.Log.empty()) {
        FolderFindings.Add(FindingId::ListingFailed,
                           "the listing fails: the mod logs " + Joined(Listing.Log));
    }
    FolderWalk Walk = WalkAnimationFolder(std::filesystem::path(QVH::AnimationFolder).native());
    if (!Walk.Error.empty() && Listing.Log.empty()) {
        FolderFindings.Add(FindingId::FolderUnreadable,
                           "qvh-host cannot walk the folder itself: " + Walk.Error);
    }
    std::map<RC::StringType, int> Pieces = ListingPieces(Listing.Payload);
    for (std::size_t Index = 0; Index < Walk.Entries.size(); ++Index) {
        DiskEntry& Entry = Walk.Entries[Index];
        // The walk is done with the entry's shown name; the report keeps it.
        Report.Entries.push_back({std::move(Entry.Shown), Entry.Parent, Entry.Type});
        EntryFindings Out(Index, Report.Findings);
        const bool TopLevel = Entry.Parent == NoEntry;
        CheckName(Entry.OwnName, TopLevel, Out);
        if (TopLevel && !TakeFromListing(Pieces, ListedName(Entry.OwnName)) &&
            Listing.Log.empty()) {
            Out.Add(FindingId::NotListed, "the mod's listing does not show this name");
        }
        if (!Entry.WalkError.empty()) {
            Out.Add(FindingId::FolderUnreadable, "cannot walk the folder: " + Entry.WalkError);
        }
        CheckLink(Entry.Link, Out);
        if (Entry.Type != EntryType::Folder) {
            CheckFile(Walk, Index, Call, Out);
        }
    }
    return Report;
}

}  // namespace QVH::Check
