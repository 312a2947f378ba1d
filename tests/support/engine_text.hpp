#pragma once

#include <string>
#include <string_view>

#include "File/Macros.hpp"
#include "Unreal/FString.hpp"

namespace qvh_test {

// Engine text from UTF-16 written as char16_t, whatever the engine's character type.
inline RC::StringType Engine(std::u16string_view Text) {
    return RC::StringType(Text.begin(), Text.end());
}

// The whole content of an engine string, as text to compare.
inline RC::StringType TextOf(const RC::Unreal::FString& String) {
    return RC::StringType(String.GetCharArray(), static_cast<std::size_t>(String.Len()));
}

}  // namespace qvh_test
