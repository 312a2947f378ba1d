#include "text/to_utf8.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "text/unicode.hpp"
#include "text/utf16_character.hpp"

namespace {

using Units = std::u16string;

std::string Bytes(std::initializer_list<unsigned char> List) {
    return std::string(List.begin(), List.end());
}

RC::StringType Engine(const Units& Text) { return RC::StringType(Text.begin(), Text.end()); }

struct Case {
    const char* What;
    Units Input;
    std::string Expected;
    // ToUtf8Lossy's bytes, where they differ.
    std::optional<std::string> Lossy = std::nullopt;
};

TEST(ToUtf8Test, EncodesEachKindOfUnitAndLossilyHalvesOfPairsAsReplacements) {
    const Case Cases[] = {
        {"empty", u"", ""},
        {"ASCII file name", u"Walk/Idle_01.json", "Walk/Idle_01.json"},
        {"two-byte", u"\u00E9", Bytes({0xC3, 0xA9})},
        {"last two-byte", u"\u07FF", Bytes({0xDF, 0xBF})},
        {"first three-byte", u"\u0800", Bytes({0xE0, 0xA0, 0x80})},
        {"euro sign", u"\u20AC", Bytes({0xE2, 0x82, 0xAC})},
        {"U+FFFF", u"\uFFFF", Bytes({0xEF, 0xBF, 0xBF})},
        {"NUL is a character", Units(1, u'\0'), std::string(1, '\0')},
        {"pair", u"\U0001F600", Bytes({0xF0, 0x9F, 0x98, 0x80})},
        {"lowest pair", Units{0xD800, 0xDC00}, Bytes({0xF0, 0x90, 0x80, 0x80})},
        {"highest pair", Units{0xDBFF, 0xDFFF}, Bytes({0xF4, 0x8F, 0xBF, 0xBF})},
        // Names are checked to be well-formed first; should a half of a pair come all the same,
        // it is encoded by the UTF-8 bit layout of its own value, never joined with a neighbour
        // it does not pair with, and nothing around it is lost.
        {"lone low surrogate", Units{0xDC00}, Bytes({0xED, 0xB0, 0x80}), Bytes({0xEF, 0xBF, 0xBD})},
        {"low surrogate before high", Units{0xDFFF, 0xD83D, 0xDE00},
         Bytes({0xED, 0xBF, 0xBF, 0xF0, 0x9F, 0x98, 0x80}),
         Bytes({0xEF, 0xBF, 0xBD, 0xF0, 0x9F, 0x98, 0x80})},
        {"high surrogate last", Units{0x0061, 0xD83D}, Bytes({0x61, 0xED, 0xA0, 0xBD}),
         Bytes({0x61, 0xEF, 0xBF, 0xBD})},
        {"high surrogate before a letter", Units{0xD83D, 0x0041}, Bytes({0xED, 0xA0, 0xBD, 0x41}),
         Bytes({0xEF, 0xBF, 0xBD, 0x41})},
        {"two high surrogates", Units{0xD83D, 0xD83D, 0xDE00},
         Bytes({0xED, 0xA0, 0xBD, 0xF0, 0x9F, 0x98, 0x80}),
         Bytes({0xEF, 0xBF, 0xBD, 0xF0, 0x9F, 0x98, 0x80})},
        {"high surrogate before NUL", Units{0x0061, 0xD800, 0x0000},
         Bytes({0x61, 0xED, 0xA0, 0x80, 0x00}), Bytes({0x61, 0xEF, 0xBF, 0xBD, 0x00})},
        {"mixed", u"a\u00E9\u20AC\U0001F600z",
         Bytes({0x61, 0xC3, 0xA9, 0xE2, 0x82, 0xAC, 0xF0, 0x9F, 0x98, 0x80, 0x7A})},
    };
    for (const Case& C : Cases) {
        EXPECT_EQ(QVH::ToUtf8(Engine(C.Input)), C.Expected) << C.What;
        EXPECT_EQ(QVH::ToUtf8Lossy(Engine(C.Input)), C.Lossy.value_or(C.Expected)) << C.What;
        // Character by character, where the units are well-formed: the same bytes.
        if (!QVH::IsWellFormedUtf16(Engine(C.Input))) {
            continue;
        }
        std::string Appended;
        for (std::size_t At = 0; At < C.Input.size();) {
            const QVH::Utf16Character Character =
                QVH::ReadUtf16Character(C.Input[At], At + 1 < C.Input.size() ? C.Input[At + 1] : 0);
            QVH::AppendUtf8(Appended, Character.Code);
            At += Character.Units;
        }
        EXPECT_EQ(Appended, C.Expected) << C.What;
    }
}

TEST(ToUtf8Test, ManyThreadsAtOnceEachGetTheirOwnResult) {
    std::vector<std::thread> Threads;
    std::vector<int> Mismatches(8, 0);
    for (int T = 0; T < 8; ++T) {
        Threads.emplace_back([T, &Mismatches] {
            // Each thread converts text that differs from the others', half of it ill-formed.
            const Units Good = u"Thread\u00E9" + Units(1, char16_t(u'A' + T)) + u"\U0001F600";
            const std::string Expected =
                "Thread\xC3\xA9" + std::string(1, char('A' + T)) + "\xF0\x9F\x98\x80";
            for (int I = 0; I < 2000; ++I) {
                if (QVH::ToUtf8(Engine(Good)) != Expected) {
                    ++Mismatches[T];
                }
                if (QVH::ToUtf8(Engine(Units{0xD800, char16_t(0x41 + T)})) !=
                    "\xED\xA0\x80" + std::string(1, char(0x41 + T))) {
                    ++Mismatches[T];
                }
            }
        });
    }
    for (auto& Thread : Threads) {
        Thread.join();
    }
    EXPECT_EQ(Mismatches, std::vector<int>(8, 0));
}

}  // namespace
