#include "anim_files/listing_separator.hpp"

namespace QVH {

void AppendToListing(RC::StringType& Listing, RC::StringViewType Name) {
    if (!Listing.empty()) {
        Listing += ListingSeparator;
    }
    Listing += Name;
}

std::vector<RC::StringViewType> SplitListing(RC::StringViewType Listing) {
    std::vector<RC::StringViewType> Pieces;
    for (std::size_t Start = 0; !Listing.empty();) {
        const std::size_t Bar = Listing.find(ListingSeparator, Start);
        Pieces.push_back(Listing.substr(Start, Bar - Start));
        if (Bar == RC::StringViewType::npos) {
            break;
        }
        Start = Bar + 1;
    }
    return Pieces;
}

}  // namespace QVH
