#include "text/from_utf8.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/decode_cases.hpp"
#include "tests/support/engine_text.hpp"
#include "tests/support/reference_decoder.hpp"
#include "text/content_decoder.hpp"
#include "text/utf8_sequence.hpp"

namespace {

using QVH::Test::DecodeCase;
using QVH::Test::Engine;
using namespace std::string_literals;

TEST(FromUtf8Test, DecodesValidTextAndReplacesEachMaximalSubpart) {
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

TEST(FromUtf8Test, AppendsToWhatIsThere) {
    RC::StringType Text = Engine(u"a|");
    QVH::AppendFromUtf8(Text, "\xC3\xA9");
    QVH::AppendFromUtf8(Text, "");
    EXPECT_EQ(Text, Engine(u"a|\u00E9"));
}

TEST(ReadUtf8SequenceTest, GivesTheCharacterWhereItEndsAndWhetherItWasWellFormed) {
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

TEST(IsWellFormedUtf8Test, AcceptsOnlyTextWithNoIllFormedPart) {
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

TEST(DecodeUtf8UnitsTest, EveryPathAtEveryLengthAndPlace) {
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

TEST(DecodeUtf8UnitsTest, EveryPathOnBlocksFullOfCharacters) {
    // Text of characters of every length, started at each of its bytes, so that the vector loops'
    // blocks start, end and are cut everywhere, with one insert of each kind at each place; the
    // reference decoder says what each length and place must give.
    const std::string Background = "\xC3\xA9\xE2\x82\xACx\xF0\x9F\x98\x80\xD0\x9Fyz";
    const std::string Inserts[] = {
        "",
        "\r\n",
        "\xE0\xA0\x80",      // the first three-byte character
        "\xED\x9F\xBF",      // the last before the surrogates
        "\xEF\xBF\xBF",      // the last three-byte character
        "\xF0\x90\x80\x80",  // the first four-byte character
        "\xF4\x8F\xBF\xBF",  // the last
        "\xC2\x80",
        "\xE0\x9F\xBF",      // overlong
        "\xED\xA0\x80",      // a surrogate
        "\xF0\x8F\xBF\xBF",  // overlong
        "\xF4\x90\x80\x80",  // above U+10FFFF
        "\xF5\x80\x80\x80",  // F5 leads nothing
        "\xC0\x80",
        "\xC1\xBF\xBF",
        "\x80",
        "\xFF",
        "\xE2\x82",      // cut short
        "\xF0\x9F\x98",  // cut short
        "\xE2\r\n\x82\xAC",
        "\xF0\x9F\n\x98\r\x80",
        "\xC3\r",
    };
    constexpr RC::CharType Guard = 0xABCD;
    std::vector<RC::CharType> Units;
    for (const auto& [Name, Decode] : QVH::detail::Utf8DecodersOfThisBuild()) {
        for (std::size_t Start = 0; Start < Background.size(); ++Start) {
            for (const std::size_t Length : {31, 32, 33, 63, 64, 65, 80, 96, 127, 128, 129}) {
                std::string Text;
                while (Text.size() < Start + Length) {
                    Text += Background;
                }
                Text = Text.substr(Start, Length);
                for (std::size_t At = 0; At <= Length; ++At) {
                    for (const std::string& Insert : Inserts) {
                        const std::string Bytes = Text.substr(0, At) + Insert + Text.substr(At);
                        const auto* In = reinterpret_cast<const unsigned char*>(Bytes.data());
                        for (const bool Skip : {false, true}) {
                            const RC::StringType Expected = Engine(QVH::Test::ReferenceUtf8(
                                Skip ? QVH::Test::WithoutLineBreaks(Bytes) : Bytes));
                            Units.assign(Bytes.size() + 1, Guard);
                            const std::size_t Written =
                                Decode(In, Bytes.size(), Units.data(), Skip);
                            ASSERT_EQ(RC::StringType(Units.data(), Written), Expected)
                                << Name << ": start " << Start << ", length " << Length << ", at "
                                << At << ", skip " << Skip;
                            ASSERT_EQ(Units.back(), Guard) << Name << ": wrote past the room";
                        }
                    }
                }
            }
        }
    }
}

}  // namespace
