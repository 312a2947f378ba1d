#include "text/from_utf8.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/engine_text.hpp"
#include "text/file_text_decoder.hpp"

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

TEST(DecodeUtf8Units, EveryPathAtEveryLengthAndPlace) {
    // Each way of decoding this processor offers, the one in use and a whole file's decoder, with
    // a break, a tab or a character at each place of each length around the 16- and 32-byte
    // chunks, and ASCII after the insert so that the loop resumes after it.
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
                   {"\xE2\x82", u"\uFFFD"}};
    std::vector<QVH::detail::NamedUtf8Decoder> Decoders =
        QVH::detail::Utf8DecodersOfThisProcessor();
    Decoders.push_back({"in use", QVH::detail::DecodeUtf8Units});
    // Always drops line breaks, as a file's text loses them.
    Decoders.push_back(
        {"whole file", [](const unsigned char* In, std::size_t Size, RC::CharType* Out, bool) {
             return QVH::FileTextDecoder().Decode({reinterpret_cast<const char*>(In), Size}, true,
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
