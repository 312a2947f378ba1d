#pragma once

// Every finding `qvh-host check` can give, once: its id (stable, for tools), its kind and what it
// says in one line. The documentation's table of findings is tested against this one.

#include <array>
#include <cstddef>
#include <string_view>

namespace QVH::Check {

enum class FindingKind { Error, Warning };

enum class FindingId {
    NameBar,
    NameDevice,
    NameWindowsCharacter,
    NameTrailingDotOrSpace,
    NameIllFormed,
    ReadFailed,
    ReadEmpty,
    NotAFile,
    NulByte,
    JsonSyntax,
    JsonNumberTooLarge,
    TextIllFormed,
    JsonStringLineBreak,
    JsonJoinedByLineBreak,
    EmptyFile,
    Utf16WithoutBom,
    NotJsonName,
    ListingFailed,
    NotListed,
    FolderUnreadable,
    LinkLeavesFolder,
    LinkCycle,
    LinkInsideFolder,
    StoredUnreadable,
};

struct FindingSort {
    FindingId Id;
    std::string_view Name;  // the id as reports write it
    FindingKind Kind;
    std::string_view Summary;
};

// In FindingId's order, so that an id is its own index.
inline constexpr std::array<FindingSort, 24> FindingCatalogue{{
    {FindingId::NameBar, "name-bar", FindingKind::Error,
     "a name holding `|`: the listing splits it"},
    {FindingId::NameDevice, "name-device", FindingKind::Error,
     "a name Windows opens as a device: `CON`, `PRN`, `AUX`, `NUL`, `COM1`-`COM9`, `COM¹`-`COM³`, "
     "`LPT1`-`LPT9`, `LPT¹`-`LPT³`, `CONIN$`, `CONOUT$`, in any letter case, with or without an "
     "extension"},
    {FindingId::NameWindowsCharacter, "name-windows-character", FindingKind::Error,
     "a name with `< > : \" \\ | ? *` or a control character in it"},
    {FindingId::NameTrailingDotOrSpace, "name-trailing-dot-or-space", FindingKind::Error,
     "a name ending in a dot or a space"},
    {FindingId::NameIllFormed, "name-ill-formed", FindingKind::Error,
     "a name that is not well-formed: bytes that are not UTF-8 (on Windows, units that are not "
     "UTF-16)"},
    {FindingId::ReadFailed, "read-failed", FindingKind::Error,
     "a read that fails: the mod's log line, quoted"},
    {FindingId::ReadEmpty, "read-empty", FindingKind::Error,
     "a read that gives nothing from a file that is not empty (line breaks and a byte-order mark "
     "only)"},
    {FindingId::NotAFile, "not-a-file", FindingKind::Error,
     "an entry that is neither file nor folder whose read gives nothing and logs nothing (a FIFO, "
     "a socket or a device is refused with the mod's line: `read-failed`)"},
    {FindingId::NulByte, "nul-byte", FindingKind::Error,
     "a NUL, where the text ends: its place and how many bytes are lost"},
    {FindingId::JsonSyntax, "json-syntax", FindingKind::Error,
     "a `.json` file whose text is not JSON once its line breaks are removed, by JSON's grammar: "
     "the first syntax error and its place; a text that starts with U+FEFF (a file with two "
     "byte-order marks: the mod drops only the first) is not JSON"},
    {FindingId::JsonNumberTooLarge, "json-number-too-large", FindingKind::Warning,
     "a number that JSON's grammar allows but no double holds (`1e400`): a reader may refuse it or "
     "take it for infinity"},
    {FindingId::TextIllFormed, "text-ill-formed", FindingKind::Warning,
     "bytes that are not UTF-8 (in a UTF-16 file, units that are not UTF-16), replaced by U+FFFD: "
     "how many, and the first place"},
    {FindingId::JsonStringLineBreak, "json-string-line-break", FindingKind::Warning,
     "a line break inside a JSON string, which the mod removes, so the string changes"},
    {FindingId::JsonJoinedByLineBreak, "json-joined-by-line-break", FindingKind::Warning,
     "a line break between two words or numbers (`12` and `34`), which the mod removes, so they "
     "run together"},
    {FindingId::EmptyFile, "empty-file", FindingKind::Warning, "an empty file"},
    {FindingId::Utf16WithoutBom, "utf16-without-bom", FindingKind::Warning,
     "UTF-16 without a byte-order mark, which reads as UTF-8"},
    {FindingId::NotJsonName, "not-json-name", FindingKind::Warning,
     "a name that does not end in `.json` (any letter case): listed to the Blueprint all the same, "
     "not checked as JSON"},
    {FindingId::ListingFailed, "listing-failed", FindingKind::Error,
     "the listing fails (no folder, say): the mod's log line, quoted, named after the folder"},
    {FindingId::NotListed, "not-listed", FindingKind::Error,
     "a top-level name the mod's listing does not show (added during the check, say)"},
    {FindingId::FolderUnreadable, "folder-unreadable", FindingKind::Error,
     "a folder qvh-host cannot walk itself (it cannot be opened or listed, or where it leads "
     "cannot "
     "be told), so what is in it goes unchecked"},
    {FindingId::LinkLeavesFolder, "link-leaves-folder", FindingKind::Warning,
     "a link to a folder outside the animation folder (to `/`, or to `..` at its top, which holds "
     "it too): the game reads through it; the check does not go there, so what is in it is not "
     "checked"},
    {FindingId::LinkCycle, "link-cycle", FindingKind::Warning,
     "a link to a folder of the animation folder that holds it (to `.`, or to `..` in a "
     "sub-folder): the game reads through it, and names through it never end; the check does not "
     "go round it"},
    {FindingId::LinkInsideFolder, "link-inside-folder", FindingKind::Warning,
     "a link to another folder of the animation folder: the check does not go through it, and "
     "checks that folder where it is"},
    {FindingId::StoredUnreadable, "stored-unreadable", FindingKind::Error,
     "a file the mod reads but qvh-host cannot read itself (it changed in between: it is gone, a "
     "folder, a FIFO or a device now, or a read fails), so its bytes go unchecked; said in the "
     "words of the mod's own log line for that failure"},
}};

constexpr bool InIdOrder() {
    for (std::size_t I = 0; I < FindingCatalogue.size(); ++I) {
        if (static_cast<std::size_t>(FindingCatalogue[I].Id) != I) {
            return false;
        }
    }
    return true;
}
static_assert(InIdOrder(), "the catalogue lists each FindingId once, in order");

// The catalogue's entry for Id.
constexpr const FindingSort& SortOf(FindingId Id) {
    return FindingCatalogue[static_cast<std::size_t>(Id)];
}

}  // namespace QVH::Check
