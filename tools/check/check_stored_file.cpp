#include "tools/check/check_stored_file.hpp"

#include <algorithm>
#include <optional>
#include <string>

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

}  // namespace

StoredFileFacts CheckStoredFile(const StoredText& Text, EntryFindings& Out) {
    StoredFileFacts Facts;
    const std::string& Bytes = Text.Bytes();
    if (Bytes.empty()) {
        Facts.Empty = true;
        Out.Warning("empty-file", "the file is empty: the Blueprint gets an empty string");
        return Facts;
    }
    if (Text.Encoding().Kind == TextEncoding::Utf8 && Text.Encoding().MarkBytes == 0) {
        if (const char* Order = Utf16WithoutMark(Bytes)) {
            Out.Warning("utf16-without-bom",
                        std::string("the file looks like UTF-16 ") + Order +
                            " without a byte-order mark: the mod reads it as UTF-8, and its "
                            "zero bytes end the text");
        }
    }

    StoredTextReader Reader(Text);
    StoredCharacter C;
    std::optional<TextPosition> FirstIllFormed;
    std::size_t IllFormedCharacters = 0;
    std::size_t IllFormedBytes = 0;
    while (Reader.Next(C)) {
        if (C.Code == 0 && C.WellFormed) {
            Facts.EndsAtNul = true;
            const std::optional<std::uint64_t> Size = Text.FileSize();
            Out.Error(
                "nul-byte",
                "a NUL ends the text here: the Blueprint loses " +
                    (Size ? "the last " + Plural(*Size - C.Offset, "byte", "bytes") + " of the file"
                          : std::string("the rest of the file")),
                C.At);
            break;
        }
        if (!C.WellFormed) {
            if (!FirstIllFormed) {
                FirstIllFormed = C.At;
            }
            ++IllFormedCharacters;
            // Line breaks passed over inside a UTF-8 sequence are no part of what is replaced.
            const auto First = Bytes.begin() + static_cast<std::ptrdiff_t>(C.Offset);
            IllFormedBytes += Text.IsUtf16()
                                  ? C.Length
                                  : static_cast<std::size_t>(std::count_if(
                                        First, First + static_cast<std::ptrdiff_t>(C.Length),
                                        [](char B) { return B != '\r' && B != '\n'; }));
        }
    }
    if (FirstIllFormed) {
        const std::string What = Plural(IllFormedBytes, "byte", "bytes") +
                                 (IllFormedBytes == 1 ? " that is not " : " that are not ") +
                                 (Text.IsUtf16() ? "UTF-16" : "UTF-8");
        Out.Warning("not-utf8",
                    IllFormedCharacters == 1
                        ? What + (IllFormedBytes == 1 ? " becomes" : " become") + " U+FFFD here"
                        : What + " become " + std::to_string(IllFormedCharacters) +
                              " U+FFFDs, the first here",
                    FirstIllFormed);
    }
    return Facts;
}

}  // namespace QVH::Check
