#include "Unreal/FString.hpp"

#include <gtest/gtest.h>

#include <cstddef>

namespace {

using RC::Unreal::FString;

RC::StringType Text(const FString& S) { return S.GetCharArray(); }

TEST(FString, KeepsTheEnginesArrayLayout) {
    // Data pointer, then count and capacity, as the engine's TArray lays them out.
    EXPECT_EQ(sizeof(FString), sizeof(void*) + 8);
    EXPECT_EQ(sizeof(RC::Unreal::TCHAR), 2u);
}

TEST(FString, EndsAtTheFirstNul) {
    const RC::CharType Units[] = {'a', 'b', 0, 'c', 0};
    const FString S(Units);
    EXPECT_EQ(Text(S), STR("ab"));
    EXPECT_EQ(S.Len(), 2);
}

TEST(FString, EmptyAndNullGiveTheEmptyString) {
    for (const RC::CharType* Source : {static_cast<const RC::CharType*>(nullptr), STR("")}) {
        const FString S(Source);
        EXPECT_EQ(S.Len(), 0);
        ASSERT_NE(S.GetCharArray(), nullptr);
        EXPECT_EQ(S.GetCharArray()[0], 0);
    }
    EXPECT_EQ(FString().GetCharArray()[0], 0);
}

TEST(FString, CopiesAreIndependentAndMovesLeaveTheSourceEmpty) {
    FString Original(STR("Idle.json"));
    FString Copy(Original);
    FString Assigned(STR("old"));
    Assigned = Original;
    Original = FString(STR("changed"));
    EXPECT_EQ(Text(Copy), STR("Idle.json"));
    EXPECT_EQ(Text(Assigned), STR("Idle.json"));

    FString Moved(std::move(Copy));
    EXPECT_EQ(Text(Moved), STR("Idle.json"));
    EXPECT_EQ(Copy.Len(), 0);  // NOLINT(bugprone-use-after-move): moved-from is defined empty.

    Assigned = Assigned;
    EXPECT_EQ(Text(Assigned), STR("Idle.json"));
}

}  // namespace
