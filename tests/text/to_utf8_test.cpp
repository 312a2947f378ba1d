#include "text/to_utf8.hpp"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "text/unicode.hpp"

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
};

TEST(ToUtf8, EncodesEachKindOfUnit) {
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
        // Unpaired halves are encoded by the UTF-8 bit layout, or cut short.
        {"lone low surrogate", Units{0xDC00}, Bytes({0xED, 0xB0, 0x80})},
        {"low surrogate before high", Units{0xDFFF, 0xD83D, 0xDE00},
         Bytes({0xED, 0xBF, 0xBF, 0xF0, 0x9F, 0x98, 0x80})},
        {"high surrogate last", Units{0x0061, 0xD83D}, Bytes({0x61, 0xF0})},
        {"highest high surrogate last", Units{0xDBFF}, Bytes({0xF4})},
        {"mixed", u"a\u00E9\u20AC\U0001F600z",
         Bytes({0x61, 0xC3, 0xA9, 0xE2, 0x82, 0xAC, 0xF0, 0x9F, 0x98, 0x80, 0x7A})},
    };
    for (const Case& C : Cases) {
        EXPECT_EQ(QVH::ToUtf8(Engine(C.Input)), C.Expected) << C.What;
        // Character by character, where the units are well-formed: the same bytes.
        if (!QVH::IsWellFormedUtf16(Engine(C.Input))) {
            continue;
        }
        std::string Appended;
        for (std::size_t At = 0; At < C.Input.size(); ++At) {
            char32_t Code = C.Input[At];
            if (QVH::IsHighSurrogate(Code)) {
                Code = 0x10000 + ((Code - 0xD800) << 10) + (C.Input[++At] - 0xDC00);
            }
            QVH::AppendUtf8(Appended, Code);
        }
        EXPECT_EQ(Appended, C.Expected) << C.What;
    }
}

TEST(ToUtf8, RejectsHighSurrogateNotFollowedByLow) {
    const Units Bad[] = {
        {0xD83D, 0x0041},          // followed by a letter
        {0xD83D, 0xD83D},          // followed by another high surrogate
        {0x0061, 0xD800, 0x0000},  // followed by NUL
        {0xD83D, 0xDE00, 0xDBFF, 0xE000},
    };
    for (const Units& Input : Bad) {
        try {
            QVH::ToUtf8(Engine(Input));
            ADD_FAILURE() << "no exception for input of " << Input.size() << " units";
        } catch (const std::range_error& Error) {
            EXPECT_STREQ(Error.what(), "bad conversion");
        }
    }
}

TEST(ToUtf8, ConvertsCorrectlyAfterAFailure) {
    EXPECT_THROW(QVH::ToUtf8(Engine(Units{0xD83D, 0x0041})), std::range_error);
    EXPECT_EQ(QVH::ToUtf8(Engine(u"\u00E9x")), Bytes({0xC3, 0xA9, 0x78}));
    EXPECT_EQ(QVH::ToUtf8(Engine(Units{0xDE00})), Bytes({0xED, 0xB8, 0x80}));
}

TEST(ToUtf8, ManyThreadsAtOnceEachGetTheirOwnResult) {
    std::vector<std::thread> Threads;
    std::vector<int> Mismatches(8, 0);
    for (int T = 0; T < 8; ++T) {
        Threads.emplace_back([T, &Mismatches] {
            // Each thread converts text that differs from the others', half of it malformed.
            const Units Good = u"Thread\u00E9" + Units(1, char16_t(u'A' + T)) + u"\U0001F600";
            const std::string Expected =
                "Thread\xC3\xA9" + std::string(1, char('A' + T)) + "\xF0\x9F\x98\x80";
            for (int I = 0; I < 2000; ++I) {
                if (QVH::ToUtf8(Engine(Good)) != Expected) {
                    ++Mismatches[T];
                }
                try {
                    QVH::ToUtf8(Engine(Units{0xD800, char16_t(0x41 + T)}));
                    ++Mismatches[T];
                } catch (const std::range_error&) {
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
