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

TEST(EscapedName, WritesWhatCouldBreakOrDisguiseALineAsCodePoints) {
    const NameCase<std::u16string> Cases[] = {
        {"an ordinary name", u"Gestures/Wave_Hello.json", u"Gestures/Wave_Hello.json"},
        {"backslashes and other scripts", u"Sub\\R\u00E9v\u00E9rence \U0001F600.json",
         u"Sub\\R\u00E9v\u00E9rence \U0001F600.json"},
        {"C0 controls and DEL", u"a\nb\r\tc\x1B\x7F"s + u'\0',
         u"a<U+000A>b<U+000D><U+0009>c<U+001B><U+007F><U+0000>"},
        {"C1 controls", u"\u0080\u0085\u009F\u00A0", u"<U+0080><U+0085><U+009F>\u00A0"},
        {"line and paragraph separators", u"a\u2028b\u2029", u"a<U+2028>b<U+2029>"},
        {"bidirectional controls",
         u"\u061C\u200E\u200F\u202A\u202B\u202C\u202D\u202E\u2066\u2067\u2068\u2069\u206A",
         u"<U+061C><U+200E><U+200F><U+202A><U+202B><U+202C><U+202D><U+202E><U+2066><U+2067>"
         u"<U+2068><U+2069>\u206A"},
        {"the escape's own opening", u"a<U+000A>b>", u"a<U+003C>U+000A>b>"},
        {"unpaired surrogates, a pair kept", u"\xD83D\xDE00\xD83Dx\xDC00",
         u"\U0001F600<U+D83D>x<U+DC00>"},
    };
    for (const auto& C : Cases) {
        EXPECT_EQ(QVH::EscapedName(Engine(C.Name)), Engine(C.Shown)) << C.What;
    }
}

TEST(EscapedName, OfBytesEscapesTheSameCharactersAndEachByteThatIsNotUtf8) {
    const NameCase<std::string> Cases[] = {
        {"an ordinary name", "R\xC3\xA9v\xC3\xA9rence.json", "R\xC3\xA9v\xC3\xA9rence.json"},
        {"a line feed and its look-alike", "a\nb\\nc", "a<U+000A>b\\nc"},
        {"NUL", "a\0b"s, "a<U+0000>b"},
        {"C1, separators and bidirectional controls as UTF-8", "\xC2\x85\xE2\x80\xA8\xE2\x80\xAE<",
         "<U+0085><U+2028><U+202E><U+003C>"},
        {"bytes that are not UTF-8", "\xFF.json", "<0xFF>.json"},
        {"a cut sequence, byte by byte", "x\xE2\x82y", "x<0xE2><0x82>y"},
        {"an encoded surrogate", "\xED\xA0\x80", "<0xED><0xA0><0x80>"},
    };
    for (const auto& C : Cases) {
        EXPECT_EQ(QVH::EscapedName(std::string_view(C.Name)), C.Shown) << C.What;
    }
}

}  // namespace
