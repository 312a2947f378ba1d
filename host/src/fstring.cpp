#include "Unreal/FString.hpp"

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <string_view>
#include <utility>

namespace RC::Unreal {
namespace {

constexpr TCHAR EmptyText[] = {0};

// Allocates Count characters plus the NUL, as the engine's array would.
TCHAR* Allocate(std::size_t Count, int32& ArrayNum, int32& ArrayMax) {
    if (Count >= static_cast<std::size_t>(std::numeric_limits<int32>::max())) {
        throw std::length_error("FString: too long");
    }
    ArrayNum = ArrayMax = static_cast<int32>(Count + 1);
    return new TCHAR[Count + 1];
}

}  // namespace

FString::FString(const TCHAR* Str) {
    if (Str == nullptr || *Str == 0) {
        return;
    }
    const std::basic_string_view<TCHAR> Text(Str);
    Data = Allocate(Text.size(), ArrayNum, ArrayMax);
    std::copy(Text.begin(), Text.end(), Data);
    Data[Text.size()] = 0;
}

FString::FString(const FString& Other) : FString(Other.GetCharArray()) {}

FString::FString(FString&& Other) noexcept
    : Data(std::exchange(Other.Data, nullptr)),
      ArrayNum(std::exchange(Other.ArrayNum, 0)),
      ArrayMax(std::exchange(Other.ArrayMax, 0)) {}

FString& FString::operator=(const FString& Other) {
    if (this != &Other) {
        FString Copy(Other);
        *this = std::move(Copy);
    }
    return *this;
}

FString& FString::operator=(FString&& Other) noexcept {
    if (this != &Other) {
        delete[] Data;
        Data = std::exchange(Other.Data, nullptr);
        ArrayNum = std::exchange(Other.ArrayNum, 0);
        ArrayMax = std::exchange(Other.ArrayMax, 0);
    }
    return *this;
}

FString::~FString() { delete[] Data; }

const TCHAR* FString::GetCharArray() const noexcept { return Data ? Data : EmptyText; }

int32 FString::Len() const noexcept { return ArrayNum > 0 ? ArrayNum - 1 : 0; }

}  // namespace RC::Unreal
