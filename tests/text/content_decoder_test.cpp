#include "text/content_decoder.hpp"
#include "text/file_encoding.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/decode_cases.hpp"
#include "tests/support/decode_in_pieces.hpp"
#include "tests/support/engine_text.hpp"

namespace {

using namespace std::string_literals;
using QVH::Test::DecodeInPieces;
using QVH::Test::DecodeWhole;
using QVH::Test::Engine;

// Files whose pieces may end anywhere in a mark, a sequence or a surrogate pair.
std::vector<QVH::Test::DecodeCase> Files() {
    std::vector<QVH::Test::DecodeCase> Cases(QVH::Test::FileCases().begin(),
                                             QVH::Test::FileCases().end());
    Cases.insert(Cases.end(), QVH::Test::Utf8Cases().begin(), QVH::Test::Utf8Cases().end());
    // A read ends the text there; the decoder does not.
    Cases.push_back({"NUL stays in the decoded text", "a\0b"s, u"a\0b"s});
    return Cases;
}

TEST(ContentDecoderTest, PiecesCutAnywhereGiveTheTextOfTheWhole) {
    for (const auto& F : Files()) {
        const RC::StringType Whole = Engine(F.Expected);
        ASSERT_EQ(DecodeWhole(F.Bytes), Whole) << F.What;
        ASSERT_EQ(DecodeInPieces(F.Bytes, {}, true), Whole) << F.What;
        for (std::size_t First = 0; First <= F.Bytes.size(); ++First) {
            for (std::size_t Second = First; Second <= F.Bytes.size(); ++Second) {
                for (const bool EmptyLast : {false, true}) {
                    ASSERT_EQ(DecodeInPieces(F.Bytes, {First, Second}, EmptyLast), Whole)
                        << F.What << ": cut at " << First << " and " << Second;
                }
            }
        }
    }
}

TEST(ContentDecoderTest, OneByteAtATimeGivesTheTextOfTheWhole) {
    for (const auto& F : Files()) {
        std::vector<std::size_t> Cuts;
        for (std::size_t At = 1; At < F.Bytes.size(); ++At) {
            Cuts.push_back(At);
        }
        EXPECT_EQ(DecodeInPieces(F.Bytes, Cuts, true), Engine(F.Expected)) << F.What;
    }
}

TEST(ContentDecoderTest, KeepsBackOnlyWhatLaterBytesMayComplete) {
    const struct {
        const char* What;
        std::string Piece;
        std::size_t Kept;
    } Cases[] = {
        {"ASCII", "abc", 0},
        {"a whole sequence", "abc\xE2\x82\xAC", 0},
        {"a lead byte", "abc\xE2", 1},
        {"a lead and a trail", "abc\xE2\x82", 2},
        {"three of four, line breaks between", "abc\xF0\r\n\x9F\n\x98\r", 3},
        {"a byte that never leads", "abc\xF8", 0},
        {"the start of a mark", "\xEF\xBB", 2},
    };
    for (const auto& C : Cases) {
        QVH::ContentDecoder Decoder;
        std::vector<RC::CharType> Units(C.Piece.size());
        Decoder.Decode(C.Piece, false, Units.data());
        char Next[QVH::ContentDecoder::MaxKeptBytes + 1] = {};
        EXPECT_EQ(Decoder.Resume(Next + QVH::ContentDecoder::MaxKeptBytes, 1).size(), C.Kept + 1)
            << C.What;
    }
}

TEST(ContentDecoderTest, FindsTheFirstNulOfUtf8WhereverItStands) {
    // Zero bytes before, inside and after the blocks a vector search takes, one or two of them,
    // among bytes that are not zero but have zero nibbles and high bits.
    std::string Bytes(700, 'x');
    for (std::size_t I = 0; I < Bytes.size(); ++I) {
        Bytes[I] = "\x01\x80\x10\xFF\xC3\xA9x{"[I % 8];
    }
    const QVH::ContentDecoder Decoder;
    EXPECT_EQ(Decoder.BytesBeforeNul({Bytes.data(), Bytes.size()}), Bytes.size());
    for (std::size_t At = 0; At < Bytes.size(); ++At) {
        std::string WithNul = Bytes;
        WithNul[At] = 0;
        WithNul[std::min(At + 257, Bytes.size() - 1)] = 0;
        ASSERT_EQ(Decoder.BytesBeforeNul({WithNul.data(), WithNul.size()}), At);
        // From an odd start, as a piece after kept bytes begins.
        ASSERT_EQ(Decoder.BytesBeforeNul({WithNul.data() + 1, WithNul.size() - 1}),
                  At == 0 ? WithNul.find('\0', 1) - 1 : At - 1);
    }
}

TEST(FileEncodingTest, TheFirstBytesTellTheEncodingAndTheLimitThatFitsTheUnits) {
    using QVH::TextEncoding;
    constexpr std::uint64_t Units = 0x7FFF'FFFE;  // 2^31 - 2
    const struct {
        std::string Head;
        TextEncoding Kind;
        std::size_t MarkBytes;
        std::uint64_t Expected;
    } Cases[] = {
        {"", TextEncoding::Utf8, 0, Units},
        {"{\r\n", TextEncoding::Utf8, 0, Units},
        {"\xEF\xBB", TextEncoding::Utf8, 0, Units},  // not yet a mark
        {"\xEF\xBB\xBF", TextEncoding::Utf8, 3, Units + 3},
        {"\xFF", TextEncoding::Utf8, 0, Units},
        {"\xFF\xFE", TextEncoding::Utf16Le, 2, 2 + 2 * Units},
        {"\xFE\xFF\x00"s, TextEncoding::Utf16Be, 2, 2 + 2 * Units},
        {"\xFE\xFE", TextEncoding::Utf8, 0, Units},
    };
    for (const auto& C : Cases) {
        const QVH::FileEncoding Encoding = QVH::DetectEncoding(C.Head);
        EXPECT_EQ(Encoding.Kind, C.Kind) << C.Head.size() << " bytes";
        EXPECT_EQ(Encoding.MarkBytes, C.MarkBytes) << C.Head.size() << " bytes";
        EXPECT_EQ(QVH::MaxFileBytes(Encoding, Units), C.Expected) << C.Head.size() << " bytes";
    }
}

}  // namespace
