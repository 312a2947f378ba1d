#include "tests/support/engine_text.hpp"

#include <gtest/gtest.h>

#include <algorithm>

#include "StandIn/EngineMemory.hpp"
#include "anim_files/read_animation_file.hpp"
#include "bridge/comms_call_block.hpp"
#include "engine/engine_text.hpp"

namespace QVH::Test {

void ExpectWholeEngineString(const RC::Unreal::FString& Text) {
    auto& Units = QVH::CharArrayOf(const_cast<RC::Unreal::FString&>(Text));
    const int Count = Units.Num();
    if (Count == 0) {
        return;
    }
    ASSERT_NE(Units.GetData(), nullptr);
    EXPECT_TRUE(StandIn::EngineMemory::Owns(Units.GetData()));
    EXPECT_EQ(Count, Text.Len() + 1);
    EXPECT_EQ(Units.GetData()[Count - 1], 0);
    EXPECT_EQ(std::count(Units.GetData(), Units.GetData() + Count, RC::CharType{0}), 1)
        << "a NUL inside the text";
}

RC::StringType ReadAnimationText(RC::StringViewType Name) {
    CommsCallBlock Block(ReadCallType, Name);
    ReadAnimationFile(Block.Payload());
    ExpectWholeEngineString(Block.Payload());
    EXPECT_TRUE(Block.GuardsIntact());
    return Block.PayloadUnits();
}

}  // namespace QVH::Test
