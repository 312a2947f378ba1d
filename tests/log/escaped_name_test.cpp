#include "log/escaped_name.hpp"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/engine_text.hpp"

namespace {

using namespace std::string_literals;
using QVH::Test::Engine;

// A name, in UTF-16 or in UTF-8, and how a log line shows it.
template <class Text>
struct NameCase {
    const char* What;
    Text Name;
    Text Shown;
};

TEST(EscapedNameTest, WritesWhatCouldBreakOrDisguiseALineAsCodePoints) {
    const NameCase<std::u16string> Cases[] = {
        {"an ordinary name", u"Gestures/Wave_Hello.json", u"Gestures/Wave_Hello.json"},
        {"backslashes and other scripts", u"Sub\\R\u00E9v\u00E9rence \U0001F600.json",
         u"Sub\\R\u00E9v\u00E9rence \U0001F600.json"},
        {"C0 controls and DEL", u"a\nb\r\tc\x1B\x7F"s + u'\0',
         u"a<U+000A>b<U+000D><U+0009>c<U+001B><U+007F><U+0000>"},
        {"C1 controls", u"\u0080\u0085\u009F\u00A0", u"<U+0080><U+0085><U+009F>\u00A0"},
        {"line and paragraph separators", u"a\u2028b\u2029", u"a<U+2028>b<U+2029>"},
        {"bidirectional controls",
         u"\u061C\u200E\u200F\u202A\u202B\u202C\u202D\u202E\u2066\u2067\u2068\u2069",
         u"<U+061C><U+200E><U+200F><U+202A><U+202B><U+202C><U+202D><U+202E><U+2066><U+2067>"
         u"<U+2068><U+2069>"},
        // Default_Ignorable_Code_Point: each range's ends, then their neighbours, which show.
        {"what is not shown",
         u"Wa\u200Bve\u00AD\u034F\u115F\u1160\u17B4\u17B5\u180B\u180F\u200B\u2060\u206F"
         u"\u3164\uFE00\uFE0F\uFEFF\uFFA0\uFFF0\uFFF8",
         u"Wa<U+200B>ve<U+00AD><U+034F><U+115F><U+1160><U+17B4><U+17B5><U+180B><U+180F><U+200B>"
         u"<U+2060><U+206F><U+3164><U+FE00><U+FE0F><U+FEFF><U+FFA0><U+FFF0><U+FFF8>"},
        {"what is not shown, past U+FFFF",
         u"\U0001BCA0\U0001BCA3\U0001D173\U0001D17A\U000E0000\U000E0FFF",
         u"<U+1BCA0><U+1BCA3><U+1D173><U+1D17A><U+E0000><U+E0FFF>"},
        {"what is shown beside it",
         u"\u00AC\u00AE\u034E\u0350\u115E\u1161\u17B3\u17B6\u180A\u1810\u200A\u2010\u205F"
         u"\u2070\u3163\u3165\uFDFF\uFE10\uFEFE\uFF9F\uFFA1\uFFEF\uFFF9\U0001BC9F\U0001BCA4"
         u"\U0001D172\U0001D17B\U000E1000",
         u"\u00AC\u00AE\u034E\u0350\u115E\u1161\u17B3\u17B6\u180A\u1810\u200A\u2010\u205F"
         u"\u2070\u3163\u3165\uFDFF\uFE10\uFEFE\uFF9F\uFFA1\uFFEF\uFFF9\U0001BC9F\U0001BCA4"
         u"\U0001D172\U0001D17B\U000E1000"},
        {"the escape's own opening", u"a<U+000A>b>", u"a<U+003C>U+000A>b>"},
        {"unpaired surrogates, a pair kept", u"\xD83D\xDE00\xD83Dx\xDC00",
         u"\U0001F600<U+D83D>x<U+DC00>"},
    };
    for (const auto& C : Cases) {
        EXPECT_EQ(QVH::EscapedName(Engine(C.Name)), Engine(C.Shown)) << C.What;
    }
}

TEST(EscapedNameTest, OfBytesEscapesTheSameCharactersAndEachByteThatIsNotUtf8) {
    const NameCase<std::string> Cases[] = {
        {"an ordinary name", "R\xC3\xA9v\xC3\xA9rence.json", "R\xC3\xA9v\xC3\xA9rence.json"},
        {"a line feed and its look-alike", "a\nb\\nc", "a<U+000A>b\\nc"},
        {"NUL", "a\0b"s, "a<U+0000>b"},
        {"C1, separators and bidirectional controls as UTF-8", "\xC2\x85\xE2\x80\xA8\xE2\x80\xAE<",
         "<U+0085><U+2028><U+202E><U+003C>"},
        {"what is not shown, U+FFFF and below and past it",
         "Wa\xE2\x80\x8Bve\xC2\xAD\xE2\x81\xA0\xEF\xBB\xBF\xF3\xA0\x80\x81\xC2\xAC",
         "Wa<U+200B>ve<U+00AD><U+2060><U+FEFF><U+E0001>\xC2\xAC"},
        {"bytes that are not UTF-8", "\xFF.json", "<0xFF>.json"},
        {"a cut sequence, byte by byte", "x\xE2\x82y", "x<0xE2><0x82>y"},
        {"an encoded surrogate", "\xED\xA0\x80", "<0xED><0xA0><0x80>"},
    };
    for (const auto& C : Cases) {
        EXPECT_EQ(QVH::EscapedNameUtf8(std::string_view(C.Name)), C.Shown) << C.What;
    }
}

}  // namespace
