#include "tools/check/check_file_bytes.hpp"

#include <algorithm>
#include <optional>
#include <string>

#include "tools/check/disk_characters.hpp"

namespace QVH::Check {
namespace {

// Enough of a file to tell UTF-16 by its zero bytes.
constexpr std::size_t Utf16Sample = 4096;

// Text in UTF-16 without a byte-order mark: mostly Latin characters, so one byte of nearly every
// unit is zero, always the same one of the two, and the other almost never. Names LE or BE.
const char* Utf16WithoutMark(const std::string& Bytes) {
    const std::size_t Units = std::min(Bytes.size(), Utf16Sample) / 2;
    std::size_t ZeroFirst = 0;
    std::size_t ZeroSecond = 0;
    for (std::size_t I = 0; I < Units; ++I) {
        ZeroFirst += Bytes[2 * I] == 0;
        ZeroSecond += Bytes[2 * I + 1] == 0;
    }
    // One unit is no evidence: any two bytes, one of them zero, would do.
    if (Units < 2) {
        return nullptr;
    }
    if (2 * ZeroSecond >= Units && 4 * ZeroFirst <= ZeroSecond) {
        return "LE";
    }
    if (2 * ZeroFirst >= Units && 4 * ZeroSecond <= ZeroFirst) {
        return "BE";
    }
    return nullptr;
}

std::string Plural(std::uint64_t Count, const char* One, const char* Many) {
    return std::to_string(Count) + " " + (Count == 1 ? One : Many);
}

// The characters the mod replaces by U+FFFD.
struct IllFormed {
    std::optional<TextPosition> First;
    std::size_t Characters = 0;
    std::size_t Bytes = 0;
};

// Reads the text's characters: those that are not well-formed, and where the text ends.
IllFormed ReadCharacters(const DiskFile& File, TextPosition& End) {
    DiskCharacters Characters(File);
    DiskCharacter C;
    IllFormed Found;
    while (Characters.Next(C)) {
        if (C.WellFormed) {
            continue;
        }
        if (!Found.First) {
            Found.First = C.At;
        }
        ++Found.Characters;
        // Line breaks passed over inside a UTF-8 sequence are no part of what is replaced.
        const auto First = File.Bytes.begin() + static_cast<std::ptrdiff_t>(C.Offset);
        Found.Bytes += File.Encoding.IsUtf16()
                           ? C.Length
                           : static_cast<std::size_t>(
                                 std::count_if(First, First + static_cast<std::ptrdiff_t>(C.Length),
                                               [](char B) { return B != '\r' && B != '\n'; }));
    }
    End = Characters.Here();
    return Found;
}

void ReportNul(const DiskFile& File, TextPosition At, EntryFindings& Out) {
    const std::optional<std::uint64_t> Size = File.FileSize;
    Out.Add(FindingId::NulByte,
            "a NUL ends the text here: the Blueprint loses " +
                (Size ? "the last " + Plural(*Size - *File.Nul, "byte", "bytes") + " of the file"
                      : std::string("the rest of the file")),
            At);
}

void ReportIllFormed(const IllFormed& Found, bool Utf16, EntryFindings& Out) {
    const std::string What = Plural(Found.Bytes, "byte", "bytes") +
                             (Found.Bytes == 1 ? " that is not " : " that are not ") +
                             (Utf16 ? "UTF-16" : "UTF-8");
    Out.Add(FindingId::TextIllFormed,
            Found.Characters == 1
                ? What + (Found.Bytes == 1 ? " becomes" : " become") + " U+FFFD here"
                : What + " become " + std::to_string(Found.Characters) + " U+FFFDs, the first here",
            Found.First);
}

}  // namespace

void CheckFileBytes(const DiskFile& File, EntryFindings& Out) {
    if (File.Bytes.empty()) {
        Out.Add(FindingId::EmptyFile, "the file is empty: the Blueprint gets an empty string");
        return;
    }
    if (File.Encoding.Kind == TextEncoding::Utf8 && File.Encoding.MarkBytes == 0) {
        if (const char* Order = Utf16WithoutMark(File.Bytes)) {
            Out.Add(FindingId::Utf16WithoutBom,
                    std::string("the file looks like UTF-16 ") + Order +
                        " without a byte-order mark: the mod reads it as UTF-8, and its "
                        "zero bytes end the text");
        }
    }
    TextPosition End;
    const IllFormed Found = ReadCharacters(File, End);
    if (File.Nul) {
        ReportNul(File, End, Out);
    }
    if (Found.First) {
        ReportIllFormed(Found, File.Encoding.IsUtf16(), Out);
    }
}

}  // namespace QVH::Check
