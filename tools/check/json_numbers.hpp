#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace QVH::Check {

// Bytes Start to End of a text.
struct ByteRange {
    std::size_t Start = 0;
    std::size_t End = 0;
};

// The numbers of JSON text that no double holds (1e400): JSON by its grammar, which sets no
// limit, though a reader may refuse them or take them for infinity. Looks outside strings, at
// numbers the grammar reads whole, in order; Text need not be JSON throughout.
std::vector<ByteRange> NumbersPastDouble(std::string_view Text);

}  // namespace QVH::Check
