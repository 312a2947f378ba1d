#include "text/file_text_decoder.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/engine_text.hpp"
#include "text/from_utf8.hpp"

namespace {

using QVH::Test::Engine;
using namespace std::string_literals;

struct Case {
    const char* What;
    std::string Bytes;
    std::u16string Expected;
};

TEST(FromUtf8, DecodesValidTextAndReplacesEachMaximalSubpart) {
    const Case Cases[] = {
        {"empty", "", u""},
        {"ASCII", "Walk_01.json", u"Walk_01.json"},
        {"two bytes", "\xC3\xA9", u"\u00E9"},
        {"three bytes", "\xE2\x82\xAC", u"\u20AC"},
        {"four bytes become a surrogate pair", "\xF0\x9F\x98\x80", u"\U0001F600"},
        {"highest code point", "\xF4\x8F\xBF\xBF", u"\U0010FFFF"},
        {"NUL is text like any other", "a\0b"s, u"a\0b"s},
        {"CR and LF are kept here", "a\r\nb", u"a\r\nb"},
        {"bad second byte", "\xC3\x28", u"\uFFFD("},
        {"encoded surrogate: three subparts", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
        {"cut short at the end", "\xE2\x82", u"\uFFFD"},
        {"cut short before ASCII", "\xE2\x82z", u"\uFFFDz"},
        {"four-byte cut after three", "\xF0\x9F\x98", u"\uFFFD"},
        {"overlong two-byte", "\xC0\xAF", u"\uFFFD\uFFFD"},
        {"overlong three-byte", "\xE0\x80\xAF", u"\uFFFD\uFFFD\uFFFD"},
        {"above U+10FFFF", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"F5 never leads", "\xF5\x80", u"\uFFFD\uFFFD"},
        {"lone trail byte", "\x80", u"\uFFFD"},
        {"FF", "\xFF", u"\uFFFD"},
        {"the Unicode standard's example",
         "a\xF1\x80\x80\xE1\x80\xC2"
         "b\x80"
         "c\x80\xBF"
         "d",
         u"a\uFFFD\uFFFD\uFFFDb\uFFFDc\uFFFD\uFFFDd"},
    };
    // Each case also at several places after ASCII, so that both the 16-byte fast path and the
    // byte-by-byte path meet it, at every kind of chunk boundary.
    for (const Case& C : Cases) {
        for (const std::size_t Pad : {0, 5, 15, 16, 31}) {
            const std::string Bytes = std::string(Pad, 'x') + C.Bytes + std::string(17, 'y');
            const std::u16string Expected =
                std::u16string(Pad, u'x') + C.Expected + std::u16string(17, u'y');
            EXPECT_EQ(QVH::FromUtf8(Bytes), Engine(Expected)) << C.What << ", pad " << Pad;
        }
    }
}

TEST(FromUtf8, AppendsToWhatIsThere) {
    RC::StringType Text = Engine(u"a|");
    QVH::AppendFromUtf8(Text, "\xC3\xA9");
    QVH::AppendFromUtf8(Text, "");
    EXPECT_EQ(Text, Engine(u"a|\u00E9"));
}

TEST(DecodeFileText, PicksTheEncodingAndDropsLineBreaks) {
    // The plain cases (CR LF, marks, each encoding) are read from files in the file reading
    // tests; these are the decoder's finer points.
    const Case Cases[] = {
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
    for (const Case& C : Cases) {
        const QVH::DecodedText Text = QVH::DecodeFileText(C.Bytes);
        EXPECT_EQ(RC::StringType(Text.View()), Engine(C.Expected)) << C.What;
        EXPECT_EQ(Text.c_str()[Text.Size], 0) << C.What;
    }
}

TEST(DecodeFileText, EveryLengthWithABreakOrALetterAtEveryPlace) {
    // Each length around the 16-byte chunks, with CR LF, a lone LF or a two-byte letter at each
    // place: every way a chunk can end, restart or meet the end of the input.
    const struct {
        std::string Bytes;
        std::u16string Units;
    } Inserts[] = {{"", u""}, {"\r\n", u""}, {"\n", u""}, {"\xC3\xA9", u"\u00E9"}};
    for (std::size_t Length = 0; Length <= 50; ++Length) {
        for (std::size_t At = 0; At <= Length; ++At) {
            for (const auto& Insert : Inserts) {
                std::string Bytes(Length, 'a');
                std::u16string Expected(Length, u'a');
                Bytes.insert(At, Insert.Bytes);
                Expected.insert(At, Insert.Units);
                // The input alone in its own buffer, so reading past it is caught by sanitizers
                // and, here, by the byte after it being a letter that must not appear.
                const std::string Padded = Bytes + "Z";
                const QVH::DecodedText Text =
                    QVH::DecodeFileText(std::span<const char>(Padded.data(), Bytes.size()));
                ASSERT_EQ(RC::StringType(Text.View()), Engine(Expected))
                    << "length " << Length << ", at " << At;
            }
        }
    }
}

TEST(DecodeUtf8Units, EveryVectorPathAtEveryLengthAndPlace) {
    // Each way of decoding this processor offers, with a break, a tab or a character at each
    // place of each length around its 16- and 32-byte chunks, and ASCII after the insert so
    // that the loop resumes after it.
    const struct {
        std::string Bytes;
        std::u16string Units;
    } Inserts[] = {{"\r\n", u""},
                   {"\t", u"\t"},
                   {"\xC3\xA9", u"\u00E9"},
                   {"\xE2\x82\xAC\xE2\x82\xAC", u"\u20AC\u20AC"},
                   {"\xF0\x9F\x98\x80", u"\U0001F600"},
                   {"\xE2\r\n\x82\xAC", u"\u20AC"},
                   {"\xE2\x82", u"\uFFFD"}};
    for (const auto& [Name, Decode] : QVH::detail::Utf8DecodersOfThisProcessor()) {
        for (std::size_t Length = 0; Length <= 70; ++Length) {
            for (std::size_t At = 0; At <= Length; ++At) {
                for (const auto& Insert : Inserts) {
                    std::string Bytes(Length, 'a');
                    std::u16string Expected(Length, u'a');
                    Bytes.insert(At, Insert.Bytes);
                    Expected.insert(At, Insert.Units);
                    std::vector<RC::CharType> Units(Bytes.size() + 1, 0xABCD);
                    const std::size_t Written =
                        Decode(reinterpret_cast<const unsigned char*>(Bytes.data()), Bytes.size(),
                               Units.data(), true);
                    ASSERT_EQ(RC::StringType(Units.data(), Written), Engine(Expected))
                        << Name << ": length " << Length << ", at " << At;
                    ASSERT_EQ(Units.back(), 0xABCD) << Name << ": wrote past the input's length";
                }
            }
        }
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
