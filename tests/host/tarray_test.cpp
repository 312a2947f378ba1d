#include "Unreal/TArray.hpp"

#include <gtest/gtest.h>

#include <numeric>

#include "File/Macros.hpp"
#include "HostGeneration.hpp"
#include "StandIn/EngineMemory.hpp"

namespace {

using RC::Unreal::TArray;
using TCHAR = RC::CharType;

int Capacity(const TArray<TCHAR>& Units) {
#if QVH_STAND_IN_HOST_GENERATION >= 4
    return Units.Num() + Units.GetSlack();
#else
    return Units.Max();
#endif
}

void RemoveLast(TArray<TCHAR>& Units, int Count, bool AllowShrinking) {
#if QVH_STAND_IN_HOST_GENERATION >= 4
    Units.RemoveAt(
        Units.Num() - Count, Count,
        AllowShrinking ? RC::Unreal::EAllowShrinking::Yes : RC::Unreal::EAllowShrinking::No);
#else
    Units.RemoveAt(Units.Num() - Count, Count, AllowShrinking);
#endif
}

void Fill(TArray<TCHAR>& Units) { std::iota(Units.GetData(), Units.GetData() + Units.Num(), 1); }

bool Filled(const TArray<TCHAR>& Units) {
    for (int I = 0; I < Units.Num(); ++I) {
        if (Units.GetData()[I] != I + 1) {
            return false;
        }
    }
    return true;
}

TEST(TArrayTest, GrowsWithTheEnginesSlackOnlyPastItsCapacity) {
    TArray<TCHAR> Units;
    EXPECT_EQ(Units.AddUninitialized(100), 0);
    EXPECT_EQ(Capacity(Units), 100 + 300 / 8 + 16);
    EXPECT_TRUE(StandIn::EngineMemory::Owns(Units.GetData()));
    Fill(Units);
    const TCHAR* const Before = Units.GetData();
    EXPECT_EQ(Units.AddUninitialized(53), 100);  // fits: nothing moves
    EXPECT_EQ(Units.GetData(), Before);
    Units.AddUninitialized(1);  // past it: a new block, the elements kept
    EXPECT_NE(Units.GetData(), Before);
    EXPECT_EQ(Capacity(Units), 154 + 154 * 3 / 8 + 16);
    Units.RemoveAt(100, 54, {});
    EXPECT_TRUE(Filled(Units));
}

TEST(TArrayTest, ResetKeepsItsMemoryOnlyWhenTheNewSizeFits) {
    TArray<TCHAR> Units;
    Units.AddUninitialized(40);
    const TCHAR* const Before = Units.GetData();
    const int Held = Capacity(Units);
    Units.Reset(Held);
    EXPECT_EQ(Units.Num(), 0);
    EXPECT_EQ(Units.GetData(), Before);
    Units.Reset(Held + 1);
    EXPECT_EQ(Units.Num(), 0);
    EXPECT_EQ(Capacity(Units), Held + 1);
    Units.Empty();
    EXPECT_EQ(Units.GetData(), nullptr);
}

TEST(TArrayTest, RemovingMovesTheMemoryOnlyWhenItMayShrink) {
    for (const bool AllowShrinking : {false, true}) {
        TArray<TCHAR> Units;
        Units.AddUninitialized(64);
        Fill(Units);
        const TCHAR* const Before = Units.GetData();
        const int Held = Capacity(Units);
        RemoveLast(Units, 10, AllowShrinking);
        EXPECT_EQ(Units.Num(), 54);
        EXPECT_TRUE(Filled(Units));
        EXPECT_EQ(Units.GetData() == Before, !AllowShrinking);
        EXPECT_EQ(Capacity(Units), AllowShrinking ? 54 : Held);
    }
}

TEST(TArrayTest, AnAllocatorOutOfMemoryLeavesTheArrayAsItWas) {
    TArray<TCHAR> Units;
    Units.AddUninitialized(8);
    Fill(Units);
    StandIn::EngineMemory::Limit(StandIn::EngineMemory::HeldBytes());
    EXPECT_THROW(Units.Reserve(1000), std::bad_alloc);
    StandIn::EngineMemory::Limit(std::nullopt);
    EXPECT_EQ(Units.Num(), 8);
    EXPECT_TRUE(Filled(Units));
}

}  // namespace
