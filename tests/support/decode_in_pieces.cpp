#include "tests/support/decode_in_pieces.hpp"

#include <gtest/gtest.h>

#include <cstring>

#include "text/content_decoder.hpp"

namespace QVH::Test {

RC::StringType DecodeInPieces(std::string_view Bytes, const std::vector<std::size_t>& Cuts,
                              bool EmptyLast) {
    using QVH::ContentDecoder;
    constexpr std::size_t Room = ContentDecoder::MaxKeptBytes;
    QVH::ContentDecoder Decoder;
    RC::StringType Text;
    std::vector<std::size_t> Ends = Cuts;
    Ends.push_back(Bytes.size());
    if (EmptyLast) {
        Ends.push_back(Bytes.size());
    }
    std::size_t Start = 0;
    for (std::size_t I = 0; I < Ends.size(); ++I) {
        const std::size_t Size = Ends[I] - Start;
        // Each piece in a buffer of its own, exactly as large as the piece and its room.
        std::vector<char> Buffer(Room + Size);
        if (Size > 0) {
            std::memcpy(Buffer.data() + Room, Bytes.data() + Start, Size);
        }
        const std::span<const char> Piece = Decoder.Resume(Buffer.data() + Room, Size);
        EXPECT_LE(Piece.size() - Size, Room);
        std::vector<RC::CharType> Units(ContentDecoder::MaxUnits(Piece.size()));
        const std::size_t Written = Decoder.Decode(Piece, I + 1 == Ends.size(), Units.data());
        Text.append(Units.data(), Written);
        Start = Ends[I];
    }
    return Text;
}

}  // namespace QVH::Test
