#include "text/file_text_decoder.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/decode_in_pieces.hpp"
#include "tests/support/engine_text.hpp"

namespace {

using namespace std::string_literals;
using QVH::Test::DecodeInPieces;
using QVH::Test::DecodeWhole;
using QVH::Test::Engine;

// Files whose pieces may end anywhere in a mark, a sequence or a surrogate pair.
const struct {
    const char* What;
    std::string Bytes;
    std::u16string Expected;
} Files[] = {
    {"ASCII with CR LF", "ab\r\ncd\r\n", u"abcd"},
    {"every UTF-8 length", "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80z", u"a\u00E9\u20AC\U0001F600z"},
    {"CR LF inside sequences", "\xF0\r\n\x9F\r\n\x98\n\x80\xE2\r\x82\r\n\xAC", u"\U0001F600\u20AC"},
    {"many breaks after a lead byte", "\xC3" + std::string(20, '\n') + "\xA9", u"\u00E9"},
    {"cut and damaged sequences", "\xE2\x82z\xF0\x9F\x98\xE0\x80\xED\xA0\x80\xC3",
     u"\uFFFDz\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"},
    {"stray trail bytes", "\x80\x80\x80\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"},
    {"UTF-8 mark", "\xEF\xBB\xBF{\xC3\xA9}", u"{\u00E9}"},
    {"a mark's start only", "\xEF\xBB", u"\uFFFD"},
    {"UTF-16 LE pairs", "\xFF\xFE\x3D\xD8\x00\xDE\r\0\n\0\x3D\xD8\x3D\xD8\x00\xDE"s,
     u"\U0001F600\uFFFD\U0001F600"},
    {"UTF-16 BE odd end",
     "\xFE\xFF\0a\xD8\x3D\xDE\x00\0b\xD8\x3D"
     "c"s,
     u"a\U0001F600b\uFFFD\uFFFD"},
    // The decoder's finer points; the plain cases (CR LF, marks, each encoding) are read from
    // files in the file reading tests.
    {"NUL stays in the decoded text", "a\0b"s, u"a\0b"s},
    {"only the first mark dropped", "\xEF\xBB\xBF\xEF\xBB\xBF", u"\uFEFF"},
    {"a mark later is text", "a\xEF\xBB\xBF", u"a\uFEFF"},
    {"CR LF inside a sequence removed first", "\xE2\r\n\x82\xAC", u"\u20AC"},
    {"CR after a lead byte", "\xE2\rA", u"\uFFFDA"},
    {"UTF-16 LE mark only", "\xFF\xFE", u""},
    {"UTF-16 non-ASCII", "\xFF\xFE\xE9\x00\xAC\x20"s, u"\u00E9\u20AC"},
    {"UTF-16 pair", "\xFF\xFE\x3D\xD8\x00\xDE"s, u"\U0001F600"},
    {"UTF-16 BE pair", "\xFE\xFF\xD8\x3D\xDE\x00"s, u"\U0001F600"},
    {"UTF-16 pair split by CR", "\xFF\xFE\x3D\xD8\x0D\x00\x00\xDE"s, u"\uFFFD\uFFFD"},
    {"UTF-16 lone low surrogate",
     "\xFF\xFE\x00\xDE"
     "a\0"s,
     u"\uFFFDa"},
    {"UTF-16 high surrogate last",
     "\xFF\xFE"
     "a\0\x3D\xD8"s,
     u"a\uFFFD"},
    {"UTF-16 odd trailing byte",
     "\xFF\xFE"
     "a\0b"s,
     u"a\uFFFD"},
    {"UTF-16 units are not bytes", "\xFF\xFE\x0D\x0A", u"\u0A0D"},
};

TEST(FileTextDecoder, PiecesCutAnywhereGiveTheTextOfTheWhole) {
    for (const auto& F : Files) {
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
    for (const auto& F : Files) {
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
