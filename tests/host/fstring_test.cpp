#include "Unreal/FString.hpp"

#include <gtest/gtest.h>

#include <type_traits>
#include <utility>

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <vector>

#include "HostGeneration.hpp"
#include "StandIn/EngineMemory.hpp"
#include "Unreal/FMemory.hpp"

#if defined(__unix__)
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace {

using RC::Unreal::FString;

// The characters, as the generation the stand-in declares gives them.
const RC::CharType* Chars(const FString& S) {
#if QVH_STAND_IN_HOST_GENERATION >= 4
    return *S;
#else
    return S.GetCharArray();
#endif
}

RC::StringType Text(const FString& S) { return Chars(S); }

TEST(FStringTest, KeepsTheEnginesArrayLayout) {
    // Data pointer, then count and capacity, as the engine's TArray lays them out.
    EXPECT_EQ(sizeof(FString), sizeof(void*) + 8);
    EXPECT_EQ(sizeof(RC::Unreal::TCHAR), 2u);
}

TEST(FStringTest, EndsAtTheFirstNul) {
    const RC::CharType Units[] = {'a', 'b', 0, 'c', 0};
    const FString S(Units);
    EXPECT_EQ(Text(S), STR("ab"));
    EXPECT_EQ(S.Len(), 2);
}

TEST(FStringTest, EmptyGivesTheEmptyString) {
    const FString S(STR(""));
    EXPECT_EQ(S.Len(), 0);
    ASSERT_NE(Chars(S), nullptr);
    EXPECT_EQ(Chars(S)[0], 0);
    ASSERT_NE(Chars(FString()), nullptr);
    EXPECT_EQ(Chars(FString())[0], 0);
}

#if QVH_STAND_IN_HOST_GENERATION >= 4
TEST(FStringTest, GetCharArrayGivesTheArrayItself) {
    static_assert(std::is_same_v<decltype(std::declval<const FString&>().GetCharArray()),
                                 const RC::Unreal::TArray<RC::Unreal::TCHAR>&>);
    static_assert(std::is_same_v<decltype(std::declval<FString&>().GetCharArray()),
                                 RC::Unreal::TArray<RC::Unreal::TCHAR>&>);
    FString S(STR("ab"));
    const FString& Const = S;
    // The count holds the NUL; the characters are the array's own, not a copy.
    EXPECT_EQ(Const.GetCharArray().Num(), 3);
    EXPECT_EQ(Const.GetCharArray().GetData(), *S);
    S.GetCharArray().GetData()[0] = 'x';
    EXPECT_EQ(Text(S), STR("xb"));
    // A string that never held text has no array, though * gives "".
    EXPECT_EQ(FString().GetCharArray().Num(), 0);
    EXPECT_EQ(FString().GetCharArray().GetData(), nullptr);
}
#endif

#if GTEST_HAS_DEATH_TEST && !defined(_WIN32)
TEST(FStringDeathTest, ANullPointerEndsTheProcessAsTheEngineWould) {
    EXPECT_DEATH(FString(static_cast<const RC::CharType*>(nullptr)), "null pointer");
}
#endif

TEST(FStringTest, CopiesAreIndependentAndThereIsNoMove) {
    FString Original(STR("Idle.json"));
    FString Copy(Original);
    FString Assigned(STR("old"));
    Assigned = Original;
    Original = FString(STR("changed"));
    EXPECT_EQ(Text(Copy), STR("Idle.json"));
    EXPECT_EQ(Text(Assigned), STR("Idle.json"));

    // As the engine's: no move operations, so "moving" copies and leaves the source as it was.
    FString Moved(std::move(Copy));
    Assigned = std::move(Moved);
    EXPECT_EQ(Text(Moved), STR("Idle.json"));  // NOLINT(bugprone-use-after-move)
    EXPECT_EQ(Text(Copy), STR("Idle.json"));   // NOLINT(bugprone-use-after-move)
    EXPECT_NE(Chars(Moved), Chars(Assigned));

    Assigned = Assigned;
    EXPECT_EQ(Text(Assigned), STR("Idle.json"));
}

TEST(FStringTest, ANonConstBufferIsAdoptedNotCopied) {
    // Only memory from the engine's allocator may be handed over this way.
    auto* const Buffer =
        static_cast<RC::CharType*>(RC::Unreal::FMemory::Malloc(4 * sizeof(RC::CharType)));
    ASSERT_NE(Buffer, nullptr);
    std::copy_n(STR("abc"), 4, Buffer);
    const FString S(Buffer);
    EXPECT_EQ(Text(S), STR("abc"));
    EXPECT_TRUE(StandIn::EngineMemory::Owns(Chars(S)));
}

#if GTEST_HAS_DEATH_TEST && !defined(_WIN32)
TEST(FStringDeathTest, MemoryOfAnotherHeapHandedToTheEngineEndsTheProcess) {
    auto* const Buffer = static_cast<RC::CharType*>(std::malloc(4 * sizeof(RC::CharType)));
    ASSERT_NE(Buffer, nullptr);
    std::copy_n(STR("abc"), 4, Buffer);
    EXPECT_DEATH(FString{Buffer}, "memory the engine's allocator did not give");
    EXPECT_DEATH(RC::Unreal::FMemory::Free(Buffer), "memory the engine's allocator did not give");
    std::free(Buffer);
}

TEST(FStringDeathTest, EngineMemoryFreedOnTheCHeapEndsTheProcess) {
#if defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "ThreadSanitizer's free() passes over memory it did not give";
#endif
    const FString S(STR("abc"));
    // The C heap refuses it, each allocator in its own words (glibc: "free(): invalid pointer").
    EXPECT_DEATH(std::free(const_cast<RC::CharType*>(Chars(S))), "");
}
#endif

TEST(FStringTest, FindsTheNulAtEveryLengthAndAlignment) {
    // Units with a zero byte in them are not NULs; every start and length a vector scan or copy
    // would treat apart, with text after the NUL that must not be taken.
    const RC::CharType Pattern[] = {0x0100, 'a', 0x00FF, 0xFF00, 0x4100, 0x0001, 0xFFFF, 0x8000};
    alignas(32) RC::CharType Buffer[128];
    for (std::size_t Offset = 0; Offset < 16; ++Offset) {
        for (std::size_t Length = 0; Length <= 100; ++Length) {
            std::fill(std::begin(Buffer), std::end(Buffer), RC::CharType('z'));
            RC::StringType Expected;
            for (std::size_t I = 0; I < Length; ++I) {
                Buffer[Offset + I] = Pattern[I % 8];
                Expected += Pattern[I % 8];
            }
            Buffer[Offset + Length] = 0;
            const FString S(static_cast<const RC::CharType*>(Buffer + Offset));
            ASSERT_EQ(S.Len(), static_cast<int>(Length)) << "offset " << Offset;
            ASSERT_EQ(Text(S), Expected) << "offset " << Offset << ", length " << Length;
        }
    }
}

TEST(FStringTest, CopiesALongTextWhole) {
    RC::StringType Long(3'000'001, RC::CharType('x'));
    Long[1'234'567] = 0x00E9;
    const FString S(Long.c_str());
    EXPECT_EQ(S.Len(), 3'000'001);
    EXPECT_EQ(Text(S), Long);
}

#if defined(__unix__)
TEST(FStringTest, ReadsNothingPastTheNulIntoTheNextPage) {
    // Text whose NUL is the last unit of a readable page, before one that may not be read: any
    // read past the NUL would end the test with a fault.
    const auto Page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    void* const Pages =
        ::mmap(nullptr, 2 * Page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    ASSERT_NE(Pages, MAP_FAILED);
    ASSERT_EQ(::mprotect(static_cast<char*>(Pages) + Page, Page, PROT_NONE), 0);
    auto* const Units = static_cast<RC::CharType*>(Pages);
    const std::size_t PageUnits = Page / sizeof(RC::CharType);
    for (const std::size_t Length : {0, 1, 7, 8, 9, 15, 16, 17, 31, 32, 33, 100, 2047}) {
        std::fill(Units, Units + PageUnits, RC::CharType('q'));
        Units[PageUnits - 1] = 0;
        const FString S(static_cast<const RC::CharType*>(Units + PageUnits - 1 - Length));
        EXPECT_EQ(S.Len(), static_cast<int>(Length));
    }
    ::munmap(Pages, 2 * Page);
}
#endif

}  // namespace
