#include "text/file_text_decoder.hpp"

#include <cstring>

#include "text/unicode.hpp"
#include "text/utf16_bytes_to_utf16.hpp"
#include "text/utf8_to_utf16.hpp"

namespace QVH {
namespace {

const unsigned char* AsBytes(const char* Data) {
    return reinterpret_cast<const unsigned char*>(Data);
}

// How many bytes a UTF-8 sequence that starts with Lead needs; 1 for a byte that stands alone.
std::size_t SequenceLength(unsigned char Lead) {
    if (Lead >= 0xC2 && Lead <= 0xDF) {
        return 2;
    }
    if (Lead >= 0xE0 && Lead <= 0xEF) {
        return 3;
    }
    return Lead >= 0xF0 && Lead <= 0xF4 ? 4 : 1;
}

// Where UTF-8 Bytes may be cut so that no character is split: before the last sequence if later
// bytes may still complete it. A byte that is not a trail byte always starts a sequence, so
// cutting there is safe; line breaks count for nothing, since they are dropped before decoding.
std::size_t Utf8Cut(std::string_view Bytes) {
    std::size_t Seen = 0;
    for (std::size_t At = Bytes.size(); At > 0 && Seen < 4;) {
        const auto Byte = static_cast<unsigned char>(Bytes[--At]);
        if (IsLineBreak(Byte)) {
            continue;
        }
        ++Seen;
        if (Byte < 0x80 || Byte >= 0xC0) {
            return Seen < SequenceLength(Byte) ? At : Bytes.size();
        }
    }
    // Four trail bytes in a row: whatever sequence they belong to has ended.
    return Bytes.size();
}

bool IsHighSurrogateAt(const char* Bytes, bool BigEndian) {
    const auto High = static_cast<unsigned char>(Bytes[BigEndian ? 0 : 1]);
    return High >= 0xD8 && High <= 0xDB;
}

// Where UTF-16 Bytes may be cut: after whole units, and before a high surrogate at the end, which
// the next unit may pair.
std::size_t Utf16Cut(std::string_view Bytes, bool BigEndian) {
    std::size_t Cut = Bytes.size() & ~std::size_t{1};
    if (Cut >= 2 && IsHighSurrogateAt(Bytes.data() + Cut - 2, BigEndian)) {
        Cut -= 2;
    }
    return Cut;
}

}  // namespace

const RC::CharType* DecodedText::c_str() const noexcept {
    static constexpr RC::CharType Empty[] = {0};
    return Units ? Units.get() : Empty;
}

DecodedText DecodeFileText(std::span<const char> Bytes) {
    const std::size_t Capacity = FileTextDecoder::MaxUnits(Bytes.size());
    DecodedText Text{std::unique_ptr<RC::CharType[]>(new RC::CharType[Capacity + 1]), 0};
    Text.Size = FileTextDecoder().Decode(Bytes, true, Text.Units.get());
    Text.Units[Text.Size] = 0;
    return Text;
}

std::uint64_t FileTextDecoder::MaxFileBytes(std::string_view Head, std::uint64_t MaxTextUnits) {
    if (Head.starts_with(Utf16LeBom) || Head.starts_with(Utf16BeBom)) {
        // Two bytes a unit; an odd trailing byte still makes one more unit.
        return Utf16LeBom.size() + 2 * MaxTextUnits;
    }
    if (Head.starts_with(Utf8Bom)) {
        return Utf8Bom.size() + MaxTextUnits;
    }
    return MaxTextUnits;
}

std::span<const char> FileTextDecoder::Resume(char* Piece, std::size_t Size) noexcept {
    char* const Start = Piece - KeptSize;
    if (KeptSize > 0) {
        std::memcpy(Start, Kept, KeptSize);
    }
    KeptSize = 0;
    return {Start, Size + static_cast<std::size_t>(Piece - Start)};
}

std::size_t FileTextDecoder::Decode(std::span<const char> Piece, bool Last,
                                    RC::CharType* Out) noexcept {
    std::string_view Bytes(Piece.data(), Piece.size());
    KeptSize = 0;
    if (Kind == Encoding::Unknown) {
        // The longest mark has three bytes; wait for them unless the file is shorter.
        if (Bytes.size() < Utf8Bom.size() && !Last) {
            Keep(Piece, false);
            return 0;
        }
        if (Bytes.starts_with(Utf16LeBom) || Bytes.starts_with(Utf16BeBom)) {
            Kind = Bytes.starts_with(Utf16LeBom) ? Encoding::Utf16Le : Encoding::Utf16Be;
            Bytes.remove_prefix(2);
        } else {
            Kind = Encoding::Utf8;
            if (Bytes.starts_with(Utf8Bom)) {
                Bytes.remove_prefix(3);
            }
        }
    }
    if (Kind == Encoding::Utf8) {
        const std::size_t Cut = Last ? Bytes.size() : Utf8Cut(Bytes);
        Keep(Piece.subspan(Piece.size() - (Bytes.size() - Cut)), true);
        return detail::DecodeUtf8Units(AsBytes(Bytes.data()), Cut, Out, true);
    }
    const bool BigEndian = Kind == Encoding::Utf16Be;
    const std::size_t Cut = Last ? Bytes.size() : Utf16Cut(Bytes, BigEndian);
    Keep(Piece.subspan(Piece.size() - (Bytes.size() - Cut)), false);
    return detail::DecodeUtf16Units(AsBytes(Bytes.data()), Cut, BigEndian, Out);
}

void FileTextDecoder::Keep(std::span<const char> Bytes, bool DropLineBreaks) noexcept {
    for (const char Byte : Bytes) {
        if (!DropLineBreaks || !IsLineBreak(static_cast<unsigned char>(Byte))) {
            Kept[KeptSize++] = Byte;
        }
    }
}

}  // namespace QVH
