#include "text/from_utf8.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/decode_cases.hpp"
#include "tests/support/engine_text.hpp"
#include "text/content_decoder.hpp"
#include "text/utf8_sequence.hpp"

namespace {

using QVH::Test::DecodeCase;
using QVH::Test::Engine;
using namespace std::string_literals;

TEST(FromUtf8, DecodesValidTextAndReplacesEachMaximalSubpart) {
    std::vector<DecodeCase> Cases(QVH::Test::Utf8Cases().begin(), QVH::Test::Utf8Cases().end());
    // What a file's text loses, a conversion keeps.
    Cases.push_back({"NUL is text like any other", "a\0b"s, u"a\0b"s});
    Cases.push_back({"CR and LF are kept here", "a\r\nb", u"a\r\nb"});
    // Each case also at several places after ASCII, so that both the 16-byte fast path and the
    // byte-by-byte path meet it, at every kind of chunk boundary.
    for (const DecodeCase& C : Cases) {
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

TEST(ReadUtf8Sequence, GivesTheCharacterWhereItEndsAndWhetherItWasWellFormed) {
    const struct {
        const char* What;
        std::string Bytes;
        bool SkipLineBreaks;
        char32_t Code;
        std::size_t Length;
        bool WellFormed;
    } Cases[] = {
        {"ASCII", "a\xC3", false, U'a', 1, true},
        {"four bytes", "\xF0\x9F\x98\x80", false, U'\U0001F600', 4, true},
        {"a U+FFFD in the text is well-formed", "\xEF\xBF\xBD", false, 0xFFFD, 3, true},
        {"a lead byte alone", "\xC3", false, 0xFFFD, 1, false},
        {"no lead byte", "\x80\x80", false, 0xFFFD, 1, false},
        {"the longest prefix that could have gone on", "\xF0\x9F\x98z", false, 0xFFFD, 3, false},
        {"a surrogate's first trail byte ends it", "\xED\xA0\x80", false, 0xFFFD, 1, false},
        {"a line break is no trail byte", "\xE2\n\x82\xAC", false, 0xFFFD, 1, false},
        {"line breaks between the bytes are passed over", "\xE2\r\n\x82\n\xAC", true, U'\u20AC', 6,
         true},
        // Those after the longest prefix belong to the text, where they end a line or a string.
        {"line breaks after a prefix are left", "\xE2\n\"", true, 0xFFFD, 1, false},
        {"and after two bytes of three", "\xE2\x82\r\nx", true, 0xFFFD, 2, false},
        {"and at the end", "\xF0\x9F\n", true, 0xFFFD, 2, false},
    };
    for (const auto& C : Cases) {
        const auto* In = reinterpret_cast<const unsigned char*>(C.Bytes.data());
        const auto* End = In + C.Bytes.size();
        const QVH::Utf8Sequence Read = C.SkipLineBreaks ? QVH::ReadUtf8Sequence<true>(In, End)
                                                        : QVH::ReadUtf8Sequence<false>(In, End);
        EXPECT_EQ(Read.Code, C.Code) << C.What;
        EXPECT_EQ(static_cast<std::size_t>(Read.End - In), C.Length) << C.What;
        EXPECT_EQ(Read.WellFormed, C.WellFormed) << C.What;
    }
}

TEST(IsWellFormedUtf8, AcceptsOnlyTextWithNoIllFormedPart) {
    const std::string Good[] = {"", "Walk.json", "R\xC3\xA9v\xC3\xA9rence \xF0\x9F\x98\x80",
                                "a\0b"s, "\xEF\xBF\xBD"};
    for (const std::string& G : Good) {
        EXPECT_TRUE(QVH::IsWellFormedUtf8(G)) << G;
    }
    const std::string Bad[] = {
        "\xC3",              // cut short at the end
        "x\xE2\x82y",        // cut short before ASCII
        "\xC0\xAF",          // overlong
        "\xED\xA0\x80",      // an encoded surrogate
        "\xF4\x90\x80\x80",  // above U+10FFFF
        "\xE2\r\n\x82\xAC",  // whole only once its line breaks are dropped
        "ok\xFF",            // a byte that leads nothing
    };
    for (const std::string& B : Bad) {
        EXPECT_FALSE(QVH::IsWellFormedUtf8(B)) << B;
    }
}

TEST(DecodeUtf8Units, EveryPathAtEveryLengthAndPlace) {
    // Each way of decoding this build offers, the one in use and a whole file's decoder, with a
    // break, a tab or a character at each place of each length around a few 16-byte chunks, and
    // ASCII after the insert so that the loop resumes after it.
    const struct {
        std::string Bytes;
        std::u16string Units;
    } Inserts[] = {{"", u""},
                   {"\r\n", u""},
                   {"\n", u""},
                   {"\t", u"\t"},
                   {"\xC3\xA9", u"\u00E9"},
                   {"\xE2\x82\xAC\xE2\x82\xAC", u"\u20AC\u20AC"},
                   {"\xF0\x9F\x98\x80", u"\U0001F600"},
                   {"\xE2\r\n\x82\xAC", u"\u20AC"},
                   {"\xE2\x82", u"\uFFFD"},
                   // Line breaks after a sequence cut short are left to the loop, which drops them.
                   {"\xE2\n", u"\uFFFD"},
                   {"\xF0\x9F\r\nb", u"\uFFFDb"}};
    std::vector<QVH::detail::NamedUtf8Decoder> Decoders = QVH::detail::Utf8DecodersOfThisBuild();
    Decoders.push_back({"in use", QVH::detail::DecodeUtf8Units});
    // Always drops line breaks, as a file's text loses them.
    Decoders.push_back(
        {"whole file", [](const unsigned char* In, std::size_t Size, RC::CharType* Out, bool) {
             return QVH::ContentDecoder().Decode({reinterpret_cast<const char*>(In), Size}, true,
                                                 Out);
         }});
    for (const auto& [Name, Decode] : Decoders) {
        for (std::size_t Length = 0; Length <= 70; ++Length) {
            for (std::size_t At = 0; At <= Length; ++At) {
                for (const auto& Insert : Inserts) {
                    std::string Bytes(Length, 'a');
                    std::u16string Expected(Length, u'a');
                    Bytes.insert(At, Insert.Bytes);
                    Expected.insert(At, Insert.Units);
                    // A letter after the input that must not appear, and a guard unit after the
                    // room for one unit per byte that must stay.
                    const std::size_t Size = Bytes.size();
                    Bytes += 'Z';
                    std::vector<RC::CharType> Units(Size + 1, 0xABCD);
                    const std::size_t Written =
                        Decode(reinterpret_cast<const unsigned char*>(Bytes.data()), Size,
                               Units.data(), true);
                    ASSERT_EQ(RC::StringType(Units.data(), Written), Engine(Expected))
                        << Name << ": length " << Length << ", at " << At;
                    ASSERT_EQ(Units.back(), 0xABCD) << Name << ": wrote past the input's length";
                }
            }
        }
    }
}

}  // namespace
