#pragma once

// The listing's separator, part of the Blueprint contract: the names of a listing stand with "|"
// between them, and nothing escapes a "|" inside a name. The one join and the one split.

#include <vector>

#include "File/Macros.hpp"

namespace QVH {

inline constexpr RC::CharType ListingSeparator = STR('|');

// Appends Name to Listing, after a separator unless Listing is empty. Throws std::bad_alloc when
// memory runs out. Any thread.
void AppendToListing(RC::StringType& Listing, RC::StringViewType Name);

// The pieces of Listing between its separators, in order: none for an empty listing, and a name
// that holds "|" as the pieces the Blueprint gets. The pieces view Listing. Any thread.
std::vector<RC::StringViewType> SplitListing(RC::StringViewType Listing);

}  // namespace QVH
