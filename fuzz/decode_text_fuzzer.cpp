// The content decoder against a reference decoder written from the Unicode standard's table of
// well-formed UTF-8 byte sequences: the same units for every file, whole or read in pieces (and
// up to the first NUL when the pieces stop there, as a read does), for the plain UTF-8 decoder of
// names and error texts, and for the scalar loop and each vector loop this processor runs, which
// must never write past one unit per byte.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_support.hpp"
#include "text/file_text_decoder.hpp"
#include "text/from_utf8.hpp"

namespace {

struct Range {
    unsigned char Low;
    unsigned char High;
};

// One row of the table: the lead bytes it covers and the ranges of its trail bytes.
struct Row {
    Range Lead;
    int Trails;
    Range Trail[3];
};

constexpr Range Any{0x80, 0xBF};
constexpr Row WellFormed[] = {
    {{0x00, 0x7F}, 0, {}},
    {{0xC2, 0xDF}, 1, {Any}},
    {{0xE0, 0xE0}, 2, {{0xA0, 0xBF}, Any}},
    {{0xE1, 0xEC}, 2, {Any, Any}},
    {{0xED, 0xED}, 2, {{0x80, 0x9F}, Any}},
    {{0xEE, 0xEF}, 2, {Any, Any}},
    {{0xF0, 0xF0}, 3, {{0x90, 0xBF}, Any, Any}},
    {{0xF1, 0xF3}, 3, {Any, Any, Any}},
    {{0xF4, 0xF4}, 3, {{0x80, 0x8F}, Any, Any}},
};

bool In(Range R, unsigned char Byte) { return Byte >= R.Low && Byte <= R.High; }

void AppendUtf16(std::u16string& Out, char32_t Code) {
    if (Code >= 0x10000) {
        Out += static_cast<char16_t>(0xD800 + (Code - 0x10000) / 0x400);
        Out += static_cast<char16_t>(0xDC00 + (Code - 0x10000) % 0x400);
    } else {
        Out += static_cast<char16_t>(Code);
    }
}

// Each well-formed sequence becomes its character; otherwise the lead byte and the trail bytes
// that still fit the row (a maximal subpart) become one U+FFFD, as does a byte that leads no row.
std::u16string ReferenceUtf8(std::string_view Text) {
    std::u16string Out;
    std::size_t At = 0;
    while (At < Text.size()) {
        const auto Lead = static_cast<unsigned char>(Text[At]);
        const Row* Match = nullptr;
        for (const Row& R : WellFormed) {
            if (In(R.Lead, Lead)) {
                Match = &R;
            }
        }
        if (Match == nullptr) {
            Out += u'\uFFFD';
            ++At;
            continue;
        }
        static constexpr unsigned char LeadBits[] = {0x7F, 0x1F, 0x0F, 0x07};
        char32_t Code = Lead & LeadBits[Match->Trails];
        int Taken = 0;
        while (Taken < Match->Trails && At + 1 + Taken < Text.size() &&
               In(Match->Trail[Taken], static_cast<unsigned char>(Text[At + 1 + Taken]))) {
            Code = Code * 64 + (static_cast<unsigned char>(Text[At + 1 + Taken]) & 0x3F);
            ++Taken;
        }
        AppendUtf16(Out, Taken == Match->Trails ? Code : 0xFFFD);
        At += 1 + static_cast<std::size_t>(Taken);
    }
    return Out;
}

std::string WithoutLineBreaks(std::string_view Bytes) {
    std::string Out(Bytes);
    std::erase(Out, '\r');
    std::erase(Out, '\n');
    return Out;
}

// A UTF-16 body: pairs stay, unpaired halves and an odd last byte become U+FFFD, and the line
// breaks go after decoding.
std::u16string ReferenceUtf16(std::string_view Body, bool BigEndian) {
    std::vector<char16_t> Units;
    for (std::size_t I = 0; I + 1 < Body.size(); I += 2) {
        const auto First = static_cast<unsigned char>(Body[I]);
        const auto Second = static_cast<unsigned char>(Body[I + 1]);
        Units.push_back(
            static_cast<char16_t>(BigEndian ? First * 256 + Second : Second * 256 + First));
    }
    std::u16string Out;
    for (std::size_t I = 0; I < Units.size(); ++I) {
        const bool High = Units[I] >= 0xD800 && Units[I] <= 0xDBFF;
        const bool NextLow =
            I + 1 < Units.size() && Units[I + 1] >= 0xDC00 && Units[I + 1] <= 0xDFFF;
        if (High && NextLow) {
            Out += Units[I];
            Out += Units[++I];
        } else if (Units[I] >= 0xD800 && Units[I] <= 0xDFFF) {
            Out += u'\uFFFD';
        } else if (Units[I] != u'\r' && Units[I] != u'\n') {
            Out += Units[I];
        }
    }
    if (Body.size() % 2 != 0) {
        Out += u'\uFFFD';
    }
    return Out;
}

std::u16string ReferenceFile(std::string_view Bytes) {
    if (Bytes.starts_with("\xFF\xFE") || Bytes.starts_with("\xFE\xFF")) {
        return ReferenceUtf16(Bytes.substr(2), Bytes[0] == '\xFE');
    }
    if (Bytes.starts_with("\xEF\xBB\xBF")) {
        Bytes.remove_prefix(3);
    }
    return ReferenceUtf8(WithoutLineBreaks(Bytes));
}

void Expect(bool Holds, const char* Property, std::string_view Input, RC::StringViewType Expected,
            RC::StringViewType Got) {
    if (!Holds) {
        qvh_fuzz::PrintBytes("input", Input);
        qvh_fuzz::PrintUnits("expected", Expected);
        qvh_fuzz::PrintUnits("got", Got);
        qvh_fuzz::Fail(Property);
    }
}

RC::StringType Engine(const std::u16string& Text) { return {Text.begin(), Text.end()}; }

// The file decoded as a read decodes it: in pieces of 1 to 8 bytes, lengths taken from the bytes
// themselves, each in a buffer of its own with just the room for the kept bytes before it, and
// the end told by one more, empty, piece. With StopAtNul, as a read does, nothing from the first
// NUL that BytesBeforeNul finds on.
RC::StringType DecodeInPieces(std::string_view Bytes, bool StopAtNul) {
    using QVH::FileTextDecoder;
    constexpr std::size_t Room = FileTextDecoder::MaxKeptBytes;
    FileTextDecoder Decoder;
    RC::StringType Text;
    std::size_t Start = 0;
    for (bool Last = false; !Last;) {
        const std::size_t Size = std::min<std::size_t>(
            Bytes.size() - Start,
            Start < Bytes.size() ? 1 + static_cast<unsigned char>(Bytes[Start]) % 8 : 0);
        Last = Size == 0;
        std::vector<char> Buffer(Room + Size);
        std::copy_n(Bytes.data() + Start, Size, Buffer.data() + Room);
        const std::span<const char> Piece = Decoder.Resume(Buffer.data() + Room, Size);
        const std::size_t TextBytes = StopAtNul ? Decoder.BytesBeforeNul(Piece) : Piece.size();
        Last = Last || TextBytes < Piece.size();
        std::vector<RC::CharType> Units(FileTextDecoder::MaxUnits(TextBytes));
        Text.append(Units.data(), Decoder.Decode(Piece.first(TextBytes), Last, Units.data()));
        Start += Size;
    }
    return Text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    const std::string_view Bytes(reinterpret_cast<const char*>(Data), Size);

    const RC::StringType File = Engine(ReferenceFile(Bytes));
    const QVH::DecodedText Decoded = QVH::DecodeFileText(std::span(Bytes.data(), Bytes.size()));
    Expect(Decoded.View() == File && Decoded.c_str()[Decoded.Size] == 0,
           "DecodeFileText gives the reference's units, NUL-terminated", Bytes, File,
           Decoded.View());

    const RC::StringType Pieces = DecodeInPieces(Bytes, false);
    Expect(Pieces == File, "a file read in pieces gives the reference's units", Bytes, File,
           Pieces);
    const RC::StringType Text = File.substr(0, File.find(RC::CharType{0}));
    const RC::StringType UpToNul = DecodeInPieces(Bytes, true);
    Expect(UpToNul == Text,
           "a file read in pieces up to its first NUL gives the reference's units before it", Bytes,
           Text, UpToNul);

    const RC::StringType Plain = Engine(ReferenceUtf8(Bytes));
    const RC::StringType Utf8 = QVH::FromUtf8(Bytes);
    Expect(Utf8 == Plain, "FromUtf8 gives the reference's units", Bytes, Plain, Utf8);

    // The loops write into a buffer of exactly one unit per byte; guard units after it must stay.
    const RC::StringType Stripped = Engine(ReferenceUtf8(WithoutLineBreaks(Bytes)));
    constexpr RC::CharType Guard = 0xA5A5;
    constexpr std::size_t Guards = 8;
    std::vector<RC::CharType> Out;
    static const std::vector<QVH::detail::NamedUtf8Decoder> Decoders = [] {
        std::vector<QVH::detail::NamedUtf8Decoder> All = QVH::detail::Utf8DecodersOfThisProcessor();
        All.push_back({"in use", QVH::detail::DecodeUtf8Units});
        return All;
    }();
    for (const bool SkipLineBreaks : {false, true}) {
        const RC::StringType& Expected = SkipLineBreaks ? Stripped : Plain;
        for (const auto& [Name, Decode] : Decoders) {
            Out.assign(Size + Guards, Guard);
            const std::size_t Written = Decode(Data, Size, Out.data(), SkipLineBreaks);
            const RC::StringViewType Got(Out.data(), std::min(Written, Size));
            Expect(Written <= Size && Got == Expected &&
                       std::count(Out.begin() + static_cast<std::ptrdiff_t>(Size), Out.end(),
                                  Guard) == Guards,
                   "the UTF-8 loops give the reference's units within one unit per byte", Bytes,
                   Expected, Got);
        }
    }
    return 0;
}
