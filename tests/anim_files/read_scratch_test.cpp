#include "anim_files/read_scratch.hpp"

#include <gtest/gtest.h>

#include <string>

#include "anim_files/read_animation_file.hpp"
#include "tests/support/engine_text.hpp"
#include "tests/support/game_folder.hpp"

namespace {

using QVH::detail::ReadScratch;
using QVH::detail::ScratchLease;
using QVH::detail::SharedScratchHeldBytes;

std::size_t ReadLength(std::u16string_view Name) {
    return RC::StringType(QVH::ReadAnimationFile(QVH::Test::Engine(Name)).c_str()).size();
}

TEST(ReadScratch, HoldsAtMostItsLimitOnceAReadIsOver) {
    QVH::Test::GameFolder Game;
    Game.WriteFile("small.json", std::string(100'000, 's'));
    Game.WriteFile("large.json", std::string(12 << 20, 'l'));  // 24 MiB of decoded text
    EXPECT_EQ(ReadLength(u"small.json"), 100'000u);
    EXPECT_GE(SharedScratchHeldBytes(), 2 * 100'000u);  // kept for the next read
    EXPECT_LE(SharedScratchHeldBytes(), ReadScratch::MaxHeldBytes);
    EXPECT_EQ(ReadLength(u"large.json"), std::size_t{12} << 20);
    EXPECT_LE(SharedScratchHeldBytes(), ReadScratch::MaxHeldBytes);
    EXPECT_EQ(ReadLength(u"small.json"), 100'000u);
}

TEST(ReadScratch, ALeaseTakenDuringAnotherGetsAScratchOfItsOwn) {
    ScratchLease Outer;
    char* const OuterPiece = Outer.Scratch().Piece();
    {
        ScratchLease Inner;
        EXPECT_NE(&Inner.Scratch(), &Outer.Scratch());
        EXPECT_NE(Inner.Scratch().Piece(), OuterPiece);
    }
    EXPECT_EQ(Outer.Scratch().Piece(), OuterPiece);
}

TEST(ReadScratch, AMovedLeaseKeepsItsScratchLentAndItsTextInPlace) {
    ScratchLease First;
    ReadScratch* const Shared = &First.Scratch();
    ScratchLease Inner;  // one of its own, since the shared one is lent
    RC::CharType* const Units = Inner.Scratch().Units(4, 0);
    ScratchLease MovedInner(std::move(Inner));
    EXPECT_EQ(MovedInner.Scratch().Units(4, 4), Units);

    ScratchLease Moved(std::move(First));
    EXPECT_EQ(&Moved.Scratch(), Shared);
    // Still lent: the text of the moved lease must not be written over by another read.
    ScratchLease Next;
    EXPECT_NE(&Next.Scratch(), Shared);
}

TEST(ReadScratch, GrowingKeepsTheTextSoFar) {
    ReadScratch Scratch;
    RC::CharType* Units = Scratch.Units(4, 0);
    for (int I = 0; I < 4; ++I) {
        Units[I] = RC::CharType('a' + I);
    }
    EXPECT_EQ(Scratch.Units(3, 4), Units);  // large enough already
    Units = Scratch.Units(1000, 3);
    EXPECT_EQ(RC::StringType(Units, 3), QVH::Test::Engine(u"abc"));
    EXPECT_EQ(Scratch.HeldBytes(), 1000 * sizeof(RC::CharType));  // no piece buffer yet
}

}  // namespace
