#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "File/Macros.hpp"

namespace QVH::Test {

// Decodes the file bytes Bytes as a file read does, one piece at a time: the pieces end at Cuts
// (ascending offsets), and with EmptyLast the end is told by one more, empty, piece. Fails the
// current test if a piece carries more kept bytes than the decoder allows.
RC::StringType DecodeInPieces(std::string_view Bytes, const std::vector<std::size_t>& Cuts,
                              bool EmptyLast = false);

// The file bytes Bytes decoded at once, as one piece.
inline RC::StringType DecodeWhole(std::string_view Bytes) { return DecodeInPieces(Bytes, {}); }

}  // namespace QVH::Test
