#pragma once

// A plain decoder to hold the mod's decoders to, written from the Unicode standard's table of
// well-formed UTF-8 byte sequences (Table 3-7) and the rules for unpaired surrogates, with none of
// their speed. Header-only and free of GoogleTest, so the fuzz targets use it too.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace QVH::Test {
namespace detail {

struct ByteRange {
    unsigned char Low;
    unsigned char High;

    bool Holds(unsigned char Byte) const { return Byte >= Low && Byte <= High; }
};

// One row of the table: the lead bytes it covers and the ranges of its trail bytes.
struct WellFormedRow {
    ByteRange Lead;
    int Trails;
    ByteRange Trail[3];
};

inline constexpr ByteRange AnyTrail{0x80, 0xBF};
inline constexpr WellFormedRow WellFormed[] = {
    {{0x00, 0x7F}, 0, {}},
    {{0xC2, 0xDF}, 1, {AnyTrail}},
    {{0xE0, 0xE0}, 2, {{0xA0, 0xBF}, AnyTrail}},
    {{0xE1, 0xEC}, 2, {AnyTrail, AnyTrail}},
    {{0xED, 0xED}, 2, {{0x80, 0x9F}, AnyTrail}},
    {{0xEE, 0xEF}, 2, {AnyTrail, AnyTrail}},
    {{0xF0, 0xF0}, 3, {{0x90, 0xBF}, AnyTrail, AnyTrail}},
    {{0xF1, 0xF3}, 3, {AnyTrail, AnyTrail, AnyTrail}},
    {{0xF4, 0xF4}, 3, {{0x80, 0x8F}, AnyTrail, AnyTrail}},
};

inline void AppendUtf16(std::u16string& Out, char32_t Code) {
    if (Code >= 0x10000) {
        Out += static_cast<char16_t>(0xD800 + (Code - 0x10000) / 0x400);
        Out += static_cast<char16_t>(0xDC00 + (Code - 0x10000) % 0x400);
    } else {
        Out += static_cast<char16_t>(Code);
    }
}

}  // namespace detail

// Each well-formed sequence becomes its character; otherwise the lead byte and the trail bytes
// that still fit its row (a maximal subpart) become one U+FFFD, as does a byte that leads no row.
// Line breaks are text like any other here.
inline std::u16string ReferenceUtf8(std::string_view Bytes) {
    std::u16string Out;
    std::size_t At = 0;
    while (At < Bytes.size()) {
        const auto Lead = static_cast<unsigned char>(Bytes[At]);
        const detail::WellFormedRow* Match = nullptr;
        for (const detail::WellFormedRow& Row : detail::WellFormed) {
            if (Row.Lead.Holds(Lead)) {
                Match = &Row;
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
        while (Taken < Match->Trails && At + 1 + Taken < Bytes.size() &&
               Match->Trail[Taken].Holds(static_cast<unsigned char>(Bytes[At + 1 + Taken]))) {
            Code = Code * 64 + (static_cast<unsigned char>(Bytes[At + 1 + Taken]) & 0x3F);
            ++Taken;
        }
        detail::AppendUtf16(Out, Taken == Match->Trails ? Code : 0xFFFD);
        At += 1 + static_cast<std::size_t>(Taken);
    }
    return Out;
}

inline std::string WithoutLineBreaks(std::string_view Bytes) {
    std::string Out(Bytes);
    std::erase(Out, '\r');
    std::erase(Out, '\n');
    return Out;
}

// A UTF-16 body (no byte-order mark): pairs stay, unpaired halves and an odd last byte become
// U+FFFD, and the line breaks go after decoding.
inline std::u16string ReferenceUtf16(std::string_view Body, bool BigEndian) {
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

// A whole animation file's text: UTF-16 after its byte-order mark, otherwise UTF-8 without a
// leading UTF-8 mark and with its line-break bytes removed before decoding.
inline std::u16string ReferenceFile(std::string_view Bytes) {
    if (Bytes.starts_with("\xFF\xFE") || Bytes.starts_with("\xFE\xFF")) {
        return ReferenceUtf16(Bytes.substr(2), Bytes[0] == '\xFE');
    }
    if (Bytes.starts_with("\xEF\xBB\xBF")) {
        Bytes.remove_prefix(3);
    }
    return ReferenceUtf8(WithoutLineBreaks(Bytes));
}

}  // namespace QVH::Test
