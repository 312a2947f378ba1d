#include "text/content_decoder.hpp"

#include <cstring>

#include "text/decode_utf16_units.hpp"
#include "text/from_utf8.hpp"
#include "text/unicode.hpp"
#include "text/zero_byte.hpp"

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

// Where the first zero unit among the whole units of UTF-16 Bytes is, or Bytes.size().
std::size_t Utf16NulAt(std::string_view Bytes) {
    // Four units at a time: subtracting 1 from each unit borrows out of a zero one and sets its top
    // bit, which no unit that had it set already keeps. A borrow only marks units after a zero one,
    // so a mark means there is one.
    constexpr std::uint64_t Ones = 0x0001'0001'0001'0001;
    constexpr std::uint64_t Tops = 0x8000'8000'8000'8000;
    std::size_t At = 0;
    for (; Bytes.size() - At >= sizeof(std::uint64_t); At += sizeof(std::uint64_t)) {
        std::uint64_t Units;
        std::memcpy(&Units, Bytes.data() + At, sizeof(Units));
        if (((Units - Ones) & ~Units & Tops) != 0) {
            break;
        }
    }
    for (; Bytes.size() - At >= 2; At += 2) {
        if (Bytes[At] == 0 && Bytes[At + 1] == 0) {
            return At;
        }
    }
    return Bytes.size();
}

}  // namespace

std::span<const char> ContentDecoder::Resume(char* Piece, std::size_t Size) noexcept {
    char* const Start = Piece - KeptSize;
    if (KeptSize > 0) {
        std::memcpy(Start, Kept, KeptSize);
    }
    KeptSize = 0;
    return {Start, Size + static_cast<std::size_t>(Piece - Start)};
}

std::size_t ContentDecoder::BytesBeforeNul(std::span<const char> Piece) const noexcept {
    const std::string_view Bytes(Piece.data(), Piece.size());
    // Until the encoding is known, Piece starts the file, and its first two bytes tell UTF-16
    // from UTF-8. A UTF-16 piece starts on a unit, since Decode keeps back whole units and odd
    // bytes; neither byte-order mark holds a zero byte.
    if (Encoding.value_or(DetectEncoding(Bytes)).IsUtf16()) {
        return Utf16NulAt(Bytes);
    }
    // A zero byte is never part of a UTF-8 sequence: it is a NUL wherever it stands.
    return detail::FindZeroByte(Bytes.data(), Bytes.size());
}

std::size_t ContentDecoder::MaxUnits(std::span<const char> Piece) const noexcept {
    const std::string_view Bytes(Piece.data(), Piece.size());
    return Encoding.value_or(DetectEncoding(Bytes)).IsUtf16() ? (Bytes.size() + 1) / 2
                                                              : Bytes.size();
}

std::size_t ContentDecoder::Decode(std::span<const char> Piece, bool Last,
                                   RC::CharType* Out) noexcept {
    std::string_view Bytes(Piece.data(), Piece.size());
    KeptSize = 0;
    if (!Encoding) {
        // Wait for the longest mark's bytes unless the file is shorter.
        if (Bytes.size() < MaxMarkBytes && !Last) {
            Keep(Piece, false);
            return 0;
        }
        Encoding = DetectEncoding(Bytes);
        Bytes.remove_prefix(Encoding->MarkBytes);
    }
    if (!Encoding->IsUtf16()) {
        const std::size_t Cut = Last ? Bytes.size() : Utf8Cut(Bytes);
        Keep(Piece.subspan(Piece.size() - (Bytes.size() - Cut)), true);
        return detail::DecodeUtf8Units(AsBytes(Bytes.data()), Cut, Out, true);
    }
    const bool BigEndian = Encoding->BigEndian();
    const std::size_t Cut = Last ? Bytes.size() : Utf16Cut(Bytes, BigEndian);
    Keep(Piece.subspan(Piece.size() - (Bytes.size() - Cut)), false);
    return detail::DecodeUtf16Units(AsBytes(Bytes.data()), Cut, BigEndian, Out);
}

void ContentDecoder::Keep(std::span<const char> Bytes, bool SkipLineBreaks) noexcept {
    for (const char Byte : Bytes) {
        if (!SkipLineBreaks || !IsLineBreak(static_cast<unsigned char>(Byte))) {
            Kept[KeptSize++] = Byte;
        }
    }
}

}  // namespace QVH
