#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "File/Macros.hpp"
#include "Unreal/FString.hpp"
#include "engine/host_generations.hpp"

namespace QVH::Test {

// Engine text from UTF-16 written as char16_t, whatever the engine's character type.
inline RC::StringType Engine(std::u16string_view Text) {
    return RC::StringType(Text.begin(), Text.end());
}

// The whole content of an engine string, as text to compare.
inline RC::StringType TextOf(const RC::Unreal::FString& String) {
    return RC::StringType(QVH::CharsOf(String), static_cast<std::size_t>(String.Len()));
}

// Fails the test unless Text is a whole engine string: its count is its length and the NUL, or 0;
// its one NUL is its last unit; its memory is the engine allocator's.
void ExpectWholeEngineString(const RC::Unreal::FString& Text);

// The text ReadAnimationFile leaves in a Payload that held Name (in a parameter block as the
// engine lays it out), the engine string checked whole and the block's other bytes untouched.
RC::StringType ReadAnimationText(RC::StringViewType Name);

// The entries of a listing joined by "|", in their order.
inline std::vector<RC::StringType> Entries(const RC::StringType& Listing) {
    std::vector<RC::StringType> Names;
    std::size_t Start = 0;
    for (std::size_t Bar; (Bar = Listing.find('|', Start)) != Listing.npos; Start = Bar + 1) {
        Names.push_back(Listing.substr(Start, Bar - Start));
    }
    Names.push_back(Listing.substr(Start));
    return Names;
}

}  // namespace QVH::Test
