#include "Unreal/FString.hpp"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>
#include <utility>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define QVH_SCAN_WITH_SSE2 1
#endif

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

// The number of units before the first NUL. Results reach the engine as NUL-terminated text of
// up to millions of units, and the standard library's scan for 16-bit units goes one unit at a
// time, so this scans 8 units a time. It reads only whole 16-byte blocks that start on a 16-byte
// boundary: such a block never straddles a page, so reading all of the block that holds the NUL
// cannot fault even when the text ends just before unmapped memory.
std::size_t LengthOf(const TCHAR* Str) {
#ifdef QVH_SCAN_WITH_SSE2
    const TCHAR* Unit = Str;
    constexpr std::uintptr_t BlockAlign = 16;
    while (reinterpret_cast<std::uintptr_t>(Unit) % BlockAlign != 0) {
        if (*Unit == 0) {
            return static_cast<std::size_t>(Unit - Str);
        }
        ++Unit;
    }
    const __m128i Zero = _mm_setzero_si128();
    for (;; Unit += 8) {
        const __m128i Block = _mm_load_si128(reinterpret_cast<const __m128i*>(Unit));
        const auto Nuls = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi16(Block, Zero)));
        if (Nuls != 0) {
            // Two mask bits a unit.
            return static_cast<std::size_t>(Unit - Str) + std::countr_zero(Nuls) / 2;
        }
    }
#else
    return std::char_traits<TCHAR>::length(Str);
#endif
}

}  // namespace

FString::FString(const TCHAR* Str) {
    if (Str == nullptr || *Str == 0) {
        return;
    }
    const std::size_t Length = LengthOf(Str);
    Data = Allocate(Length, ArrayNum, ArrayMax);
    std::copy(Str, Str + Length, Data);
    Data[Length] = 0;
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
