#include "text/file_text_decoder.hpp"

#include <gtest/gtest.h>

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

TEST(FileTextDecoder, PiecesCutAnywhereGiveTheTextOfTheWhole) {
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

TEST(FileTextDecoder, OneByteAtATimeGivesTheTextOfTheWhole) {
    for (const auto& F : Files()) {
        std::vector<std::size_t> Cuts;
        for (std::size_t At = 1; At < F.Bytes.size(); ++At) {
            Cuts.push_back(At);
        }
        EXPECT_EQ(DecodeInPieces(F.Bytes, Cuts, true), Engine(F.Expected)) << F.What;
    }
}

TEST(FileTextDecoder, KeepsBackOnlyWhatLaterBytesMayComplete) {
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
        QVH::FileTextDecoder Decoder;
        std::vector<RC::CharType> Units(C.Piece.size());
        Decoder.Decode(C.Piece, false, Units.data());
        char Next[QVH::FileTextDecoder::MaxKeptBytes + 1] = {};
        EXPECT_EQ(Decoder.Resume(Next + QVH::FileTextDecoder::MaxKeptBytes, 1).size(), C.Kept + 1)
            << C.What;
    }
}

TEST(FileTextDecoder, MaxFileBytesAllowsWhatFitsTheUnitsInEachEncoding) {
    constexpr std::uint64_t Units = 0x7FFF'FFFE;  // 2^31 - 2
    const struct {
        std::string Head;
        std::uint64_t Expected;
    } Cases[] = {
        {"", Units},
        {"{\r\n", Units},
        {"\xEF\xBB", Units},  // not yet a mark
        {"\xEF\xBB\xBF", Units + 3},
        {"\xFF", Units},
        {"\xFF\xFE", 2 + 2 * Units},
        {"\xFE\xFF\x00"s, 2 + 2 * Units},
    };
    for (const auto& C : Cases) {
        EXPECT_EQ(QVH::FileTextDecoder::MaxFileBytes(C.Head, Units), C.Expected)
            << C.Head.size() << " bytes";
    }
}

}  // namespace
