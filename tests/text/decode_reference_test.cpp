// The decoders against a plain reference built from the definitions alone: a well-formed UTF-8
// sequence is the encoding of a scalar value, and an ill-formed stretch becomes one U+FFFD for
// each longest prefix of a well-formed sequence (or single byte). Inputs are generated from a
// fixed seed, biased towards the bytes where decoders go wrong.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "tests/support/engine_text.hpp"
#include "tests/support/pieces.hpp"
#include "text/file_text_decoder.hpp"
#include "text/from_utf8.hpp"

namespace {

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

// Every proper prefix (1 to 3 bytes) of the encoding of any scalar value.
const std::vector<bool>& ProperPrefixes() {
    static const std::vector<bool> Prefixes = [] {
        std::vector<bool> Marks(std::size_t{1} << 26);  // index: length << 24 | bytes
        for (char32_t Code = 0; Code <= 0x10FFFF; ++Code) {
            if (!IsScalarValue(Code)) {
                continue;
            }
            const std::string Bytes = Encode(Code);
            std::size_t Key = 0;
            for (std::size_t Length = 1; Length < Bytes.size(); ++Length) {
                Key = Key << 8 | static_cast<unsigned char>(Bytes[Length - 1]);
                Marks[Length << 24 | Key] = true;
            }
        }
        return Marks;
    }();
    return Prefixes;
}

bool IsProperPrefix(std::string_view Bytes) {
    if (Bytes.size() > 3) {
        return false;
    }
    std::size_t Key = 0;
    for (const char Byte : Bytes) {
        Key = Key << 8 | static_cast<unsigned char>(Byte);
    }
    return ProperPrefixes()[Bytes.size() << 24 | Key];
}

// The scalar value whose encoding is exactly Bytes, if there is one.
bool DecodeWhole(std::string_view Bytes, char32_t& Code) {
    static constexpr unsigned LeadMask[] = {0x7F, 0x1F, 0x0F, 0x07};
    Code = static_cast<unsigned char>(Bytes[0]) & LeadMask[Bytes.size() - 1];
    for (std::size_t I = 1; I < Bytes.size(); ++I) {
        Code = Code << 6 | (static_cast<unsigned char>(Bytes[I]) & 0x3F);
    }
    return IsScalarValue(Code) && Encode(Code) == Bytes;
}

void AppendUtf16(std::u16string& Out, char32_t Code) {
    if (Code < 0x10000) {
        Out += char16_t(Code);
    } else {
        Out += {char16_t(0xD800 + ((Code - 0x10000) >> 10)), char16_t(0xDC00 + (Code & 0x3FF))};
    }
}

std::u16string ReferenceUtf8(std::string_view Bytes) {
    std::u16string Out;
    std::size_t At = 0;
    while (At < Bytes.size()) {
        std::size_t Taken = 1;
        char32_t Code = 0xFFFD;
        for (std::size_t Length = std::min<std::size_t>(4, Bytes.size() - At); Length > 0;
             --Length) {
            const std::string_view Candidate = Bytes.substr(At, Length);
            char32_t Whole = 0;
            if (DecodeWhole(Candidate, Whole)) {
                Code = Whole;
                Taken = Length;
                break;
            }
            if (IsProperPrefix(Candidate)) {  // a maximal subpart: Code stays U+FFFD
                Taken = Length;
                break;
            }
        }
        AppendUtf16(Out, Code);
        At += Taken;
    }
    return Out;
}

std::u16string ReferenceUtf16(const std::u16string& Units) {
    std::u16string Out;
    for (std::size_t I = 0; I < Units.size(); ++I) {
        const bool High = Units[I] >= 0xD800 && Units[I] <= 0xDBFF;
        const bool Low = Units[I] >= 0xDC00 && Units[I] <= 0xDFFF;
        if (High && I + 1 < Units.size() && Units[I + 1] >= 0xDC00 && Units[I + 1] <= 0xDFFF) {
            Out += {Units[I], Units[I + 1]};
            ++I;
        } else {
            Out += (High || Low) ? u'\uFFFD' : Units[I];
        }
    }
    std::erase(Out, u'\r');
    std::erase(Out, u'\n');
    return Out;
}

std::string WithoutLineBreaks(std::string Bytes) {
    std::erase(Bytes, '\r');
    std::erase(Bytes, '\n');
    return Bytes;
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

TEST(DecoderAgainstReference, Utf8OnGeneratedInput) {
    std::mt19937 Random(20240611);
    constexpr RC::CharType Guard = 0xABCD;
    std::vector<RC::CharType> Units;
    // Every vector path this processor runs, the one in use among them, and the scalar one.
    std::vector<QVH::detail::NamedUtf8Decoder> Decoders =
        QVH::detail::Utf8DecodersOfThisProcessor();
    Decoders.push_back({"in use", QVH::detail::DecodeUtf8Units});
    for (int Round = 0; Round < 20000; ++Round) {
        const std::string Bytes = Generate(Random);
        const RC::StringType Plain = QVH::Test::Engine(ReferenceUtf8(Bytes));
        const RC::StringType Stripped = QVH::Test::Engine(ReferenceUtf8(WithoutLineBreaks(Bytes)));
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
        const std::string File = "\xEF\xBB\xBF" + Bytes;
        ASSERT_EQ(RC::StringType(QVH::DecodeFileText(File).View()), Stripped) << "round " << Round;
    }
}

TEST(DecoderAgainstReference, Utf16FilesOnGeneratedInput) {
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
        std::u16string Expected = ReferenceUtf16(Units);
        if (Pick(0, 3) == 0) {
            File += 'x';  // an odd trailing byte
            Expected += u'\uFFFD';
        }
        ASSERT_EQ(RC::StringType(QVH::DecodeFileText(File).View()), QVH::Test::Engine(Expected))
            << "round " << Round;
    }
}

TEST(DecoderAgainstReference, FilesReadInPiecesOnGeneratedInput) {
    // Generated files in every encoding, cut into random pieces as short reads would cut them.
    std::mt19937 Random(99);
    auto Pick = [&Random](std::size_t Low, std::size_t High) {
        return std::uniform_int_distribution<std::size_t>(Low, High)(Random);
    };
    for (int Round = 0; Round < 5000; ++Round) {
        const std::string Bytes = Generate(Random);
        std::string File = Bytes;
        RC::StringType Expected = QVH::Test::Engine(ReferenceUtf8(WithoutLineBreaks(Bytes)));
        if (Pick(0, 2) == 0) {
            File = "\xEF\xBB\xBF" + Bytes;
        } else if (Pick(0, 1) == 0) {
            // The same bytes as UTF-16 LE units: pieces may now split units and pairs.
            std::u16string Units;
            for (std::size_t I = 0; I + 1 < Bytes.size(); I += 2) {
                Units += char16_t(static_cast<unsigned char>(Bytes[I]) |
                                  static_cast<unsigned char>(Bytes[I + 1]) << 8);
            }
            File = "\xFF\xFE" + Bytes.substr(0, Units.size() * 2);
            Expected = QVH::Test::Engine(ReferenceUtf16(Units));
        }
        std::vector<std::size_t> Cuts;
        for (std::size_t At = Pick(0, 8); At < File.size(); At += Pick(1, 24)) {
            Cuts.push_back(At);
        }
        ASSERT_EQ(QVH::Test::DecodeInPieces(File, Cuts, Pick(0, 1) == 1), Expected)
            << "round " << Round;
    }
}

}  // namespace
