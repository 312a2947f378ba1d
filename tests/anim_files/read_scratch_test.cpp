#include "anim_files/read_scratch.hpp"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/engine_text.hpp"
#include "tests/support/game_folder.hpp"

namespace {

using QVH::detail::ReadScratch;
using QVH::detail::ScratchLease;
using QVH::detail::SharedScratchHeldBytes;

TEST(ReadScratchTest, KeepsOnlyAPieceOfTheFileBetweenReads) {
    // The text goes straight into the engine string: whatever the file's size, the scratch holds
    // one piece of its bytes afterwards, for the next read.
    QVH::Test::GameFolder Game;
    Game.WriteFile("small.json", std::string(100'000, 's'));
    Game.WriteFile("large.json", std::string(12 << 20, 'l'));
    for (const std::u16string Name : {u"small.json", u"large.json"}) {
        EXPECT_FALSE(QVH::Test::ReadAnimationText(QVH::Test::Engine(Name)).empty());
        EXPECT_EQ(SharedScratchHeldBytes(), ReadScratch::RoomBefore + ReadScratch::PieceBytes);
    }
}

TEST(ReadScratchTest, ALeaseTakenDuringAnotherGetsAScratchOfItsOwn) {
    ScratchLease Outer;
    char* const OuterPiece = Outer.Scratch().Piece();
    {
        ScratchLease Inner;
        EXPECT_NE(&Inner.Scratch(), &Outer.Scratch());
        EXPECT_NE(Inner.Scratch().Piece(), OuterPiece);
    }
    EXPECT_EQ(Outer.Scratch().Piece(), OuterPiece);
}

}  // namespace
