// The decoders against the plain reference decoder of tests/support: the same units for every
// input. Inputs are generated from a fixed seed, biased towards the bytes where decoders go wrong.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "tests/support/decode_in_pieces.hpp"
#include "tests/support/engine_text.hpp"
#include "tests/support/reference_decoder.hpp"
#include "text/from_utf8.hpp"

namespace {

using QVH::Test::DecodeInPieces;
using QVH::Test::DecodeWhole;
using QVH::Test::Engine;
using QVH::Test::ReferenceFile;
using QVH::Test::ReferenceUtf8;
using QVH::Test::WithoutLineBreaks;

bool IsScalarValue(char32_t Code) { return Code <= 0x10FFFF && (Code < 0xD800 || Code > 0xDFFF); }

std::string Encode(char32_t Code) {
    std::string Out;
    if (Code < 0x80) {
        Out += char(Code);
    } else if (Code < 0x800) {
        Out += {char(0xC0 | Code >> 6), char(0x80 | (Code & 0x3F))};
    } else if (Code < 0x10000) {
        Out +=
            {char(0xE0 | Code >> 12), char(0x80 | (Code >> 6 & 0x3F)), char(0x80 | (Code & 0x3F))};
    } else {
        Out += {char(0xF0 | Code >> 18), char(0x80 | (Code >> 12 & 0x3F)),
                char(0x80 | (Code >> 6 & 0x3F)), char(0x80 | (Code & 0x3F))};
    }
    return Out;
}

// Text made of pieces that matter to a decoder: ASCII runs long enough for the fast path, line
// breaks, whole sequences of each length, cut and damaged sequences, and stray bytes.
std::string Generate(std::mt19937& Random) {
    auto Pick = [&Random](unsigned Low, unsigned High) {
        return std::uniform_int_distribution<unsigned>(Low, High)(Random);
    };
    std::string Out;
    const unsigned Pieces = Pick(0, 40);
    for (unsigned I = 0; I < Pieces; ++I) {
        switch (Pick(0, 9)) {
            case 0:
                Out.append(Pick(1, 40), char(Pick(0x20, 0x7E)));
                break;
            case 1:
                Out += Pick(0, 1) ? "\r\n" : (Pick(0, 1) ? "\r" : "\n");
                break;
            case 2:
            case 3: {
                static constexpr char32_t Tops[] = {0x7F, 0x7FF, 0xFFFF, 0x10FFFF};
                char32_t Code = Pick(0, Tops[Pick(0, 3)]);
                Out += Encode(IsScalarValue(Code) ? Code : 0xE9);
                break;
            }
            case 4: {  // a sequence cut short
                const std::string Whole = Encode(Pick(0x80, 0x10FFFF) | 0x10000);
                Out += Whole.substr(0, Pick(1, 3));
                break;
            }
            case 5: {  // a sequence with one byte changed
                std::string Whole = Encode(Pick(0x800, 0x10FFFF) | 0x10000);
                Whole[Pick(0, 3)] = char(Pick(0, 255));
                Out += Whole;
                break;
            }
            case 6:  // surrogates, overlong forms, and the edges of the first-trail ranges
                Out += std::string{char(Pick(0, 1) ? 0xED : 0xE0), char(Pick(0x80, 0xBF)),
                                   char(Pick(0x80, 0xBF))};
                break;
            case 7:
                Out += std::string{char(Pick(0, 1) ? 0xF0 : 0xF4), char(Pick(0x80, 0xBF))};
                break;
            default:
                Out += char(Pick(0x80, 0xFF));
                break;
        }
    }
    return Out;
}

TEST(DecoderAgainstReferenceTest, Utf8OnGeneratedInput) {
    std::mt19937 Random(20240611);
    constexpr RC::CharType Guard = 0xABCD;
    std::vector<RC::CharType> Units;
    // The vector path where the build has one, the one in use, and the scalar one.
    std::vector<QVH::detail::NamedUtf8Decoder> Decoders = QVH::detail::Utf8DecodersOfThisBuild();
    Decoders.push_back({"in use", QVH::detail::DecodeUtf8Units});
    for (int Round = 0; Round < 20000; ++Round) {
        const std::string Bytes = Generate(Random);
        const RC::StringType Plain = Engine(ReferenceUtf8(Bytes));
        const RC::StringType Stripped = Engine(ReferenceUtf8(WithoutLineBreaks(Bytes)));
        const auto* In = reinterpret_cast<const unsigned char*>(Bytes.data());

        ASSERT_EQ(QVH::FromUtf8(Bytes), Plain) << "round " << Round;
        for (const bool Skip : {false, true}) {
            const RC::StringType& Expected = Skip ? Stripped : Plain;
            // Room for exactly one unit per byte, then guard units that must stay untouched.
            for (const auto& [Name, Decode] : Decoders) {
                Units.assign(Bytes.size() + 16, Guard);
                const std::size_t Written = Decode(In, Bytes.size(), Units.data(), Skip);
                ASSERT_EQ(RC::StringType(Units.data(), Written), Expected)
                    << Name << ", round " << Round;
                ASSERT_EQ(std::count(Units.begin() + Bytes.size(), Units.end(), Guard), 16)
                    << Name << ", round " << Round;
            }
        }
        // As a file: a leading mark is dropped, and a UTF-16 one must not appear by chance.
        ASSERT_EQ(DecodeWhole("\xEF\xBB\xBF" + Bytes), Stripped) << "round " << Round;
    }
}

TEST(DecoderAgainstReferenceTest, Utf16FilesOnGeneratedInput) {
    std::mt19937 Random(7);
    auto Pick = [&Random](unsigned Low, unsigned High) {
        return std::uniform_int_distribution<unsigned>(Low, High)(Random);
    };
    static constexpr char16_t Interesting[] = {u'\r', u'\n', 0xD800, 0xDBFF, 0xDC00, 0xDFFF, 0};
    for (int Round = 0; Round < 5000; ++Round) {
        std::u16string Units(Pick(0, 30), u'a');
        for (char16_t& Unit : Units) {
            Unit = Pick(0, 1) ? Interesting[Pick(0, 6)] : char16_t(Pick(0, 0xFFFF));
        }
        const bool BigEndian = Pick(0, 1);
        std::string File = BigEndian ? "\xFE\xFF" : "\xFF\xFE";
        for (const char16_t Unit : Units) {
            const char High = char(Unit >> 8), Low = char(Unit & 0xFF);
            File += BigEndian ? std::string{High, Low} : std::string{Low, High};
        }
        if (Pick(0, 3) == 0) {
            File += 'x';  // an odd trailing byte
        }
        ASSERT_EQ(DecodeWhole(File), Engine(ReferenceFile(File))) << "round " << Round;
    }
}

TEST(DecoderAgainstReferenceTest, FilesReadInPiecesOnGeneratedInput) {
    // Generated files in every encoding, cut into random pieces as short reads would cut them.
    std::mt19937 Random(99);
    auto Pick = [&Random](std::size_t Low, std::size_t High) {
        return std::uniform_int_distribution<std::size_t>(Low, High)(Random);
    };
    for (int Round = 0; Round < 5000; ++Round) {
        std::string File = Generate(Random);
        if (Pick(0, 2) == 0) {
            File = "\xEF\xBB\xBF" + File;
        } else if (Pick(0, 1) == 0) {
            // The same bytes as UTF-16 LE units: pieces may now split units and pairs.
            File = "\xFF\xFE" + File;
        }
        std::vector<std::size_t> Cuts;
        for (std::size_t At = Pick(0, 8); At < File.size(); At += Pick(1, 24)) {
            Cuts.push_back(At);
        }
        ASSERT_EQ(DecodeInPieces(File, Cuts, Pick(0, 1) == 1), Engine(ReferenceFile(File)))
            << "round " << Round;
    }
}

}  // namespace
