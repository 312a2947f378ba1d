#include "Unreal/FString.hpp"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <new>
#include <stdexcept>
#include <string>
#include <utility>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define QVH_SCAN_WITH_SSE2 1
#endif

// The address and thread sanitizers would take the read of the rest of the block that holds the
// NUL for an overflow or a use after free; such a read never leaves the page (see LengthOf), and
// what it reads past the NUL is not used.
#if defined(__GNUC__) || defined(__clang__)
#define QVH_READS_WHOLE_BLOCKS __attribute__((no_sanitize("address", "thread")))
#else
#define QVH_READS_WHOLE_BLOCKS
#endif

namespace RC::Unreal {
namespace {

constexpr TCHAR EmptyText[] = {0};

// The engine's allocator, played by the C heap: memory it did not give cannot be reallocated or
// freed through it.
TCHAR* Allocate(std::size_t Count) {
    // The count the array keeps includes the NUL and is a signed 32-bit number.
    if (Count >= static_cast<std::size_t>(std::numeric_limits<int32>::max())) {
        throw std::runtime_error("FString: more characters than an engine string holds");
    }
    auto* const Units = static_cast<TCHAR*>(std::malloc((Count + 1) * sizeof(TCHAR)));
    if (Units == nullptr) {
        throw std::bad_alloc();
    }
    return Units;
}

[[noreturn]] void NullArgument() {
    // The engine reads the text without looking: a null pointer is a crash there too.
    std::fputs("FString: constructed from a null pointer\n", stderr);
    std::abort();
}

// The number of units before the first NUL. Results reach the engine as NUL-terminated text of
// up to millions of units, and the standard library's scan for 16-bit units goes one unit at a
// time, so this scans 16 units a time. It reads only whole 32-byte blocks that start on a
// 32-byte boundary: such a block never straddles a page, so reading all of the block that holds
// the NUL cannot fault even when the text ends just before unmapped memory.
QVH_READS_WHOLE_BLOCKS std::size_t LengthOf(const TCHAR* Str) {
#ifdef QVH_SCAN_WITH_SSE2
    const TCHAR* Unit = Str;
    constexpr std::uintptr_t BlockAlign = 32;
    while (reinterpret_cast<std::uintptr_t>(Unit) % BlockAlign != 0) {
        if (*Unit == 0) {
            return static_cast<std::size_t>(Unit - Str);
        }
        ++Unit;
    }
    const __m128i Zero = _mm_setzero_si128();
    for (;; Unit += 16) {
        const __m128i Low =
            _mm_cmpeq_epi16(_mm_load_si128(reinterpret_cast<const __m128i*>(Unit)), Zero);
        const __m128i High =
            _mm_cmpeq_epi16(_mm_load_si128(reinterpret_cast<const __m128i*>(Unit + 8)), Zero);
        if (_mm_movemask_epi8(_mm_or_si128(Low, High)) != 0) {
            const unsigned Nuls = static_cast<unsigned>(_mm_movemask_epi8(Low)) |
                                  static_cast<unsigned>(_mm_movemask_epi8(High)) << 16;
            // Two mask bits a unit.
            return static_cast<std::size_t>(Unit - Str) + std::countr_zero(Nuls) / 2;
        }
    }
#else
    return std::char_traits<TCHAR>::length(Str);
#endif
}

// Copies Count units from From to To. Not with memcpy: for copies of this size glibc uses
// "rep movsb", which AMD processors run up to fifteen times slower when the destination lies a
// few bytes past the source modulo 4 KiB, as an engine string allocated right after the text it
// copies does. The build keeps GCC from turning the loops back into memcpy.
void CopyUnits(const TCHAR* From, std::size_t Count, TCHAR* To) {
    std::size_t Done = 0;
#ifdef QVH_SCAN_WITH_SSE2
    const auto Load = [From](std::size_t At) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(From + At));
    };
    const auto Store = [To](std::size_t At, __m128i Units) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(To + At), Units);
    };
    for (; Count - Done >= 32; Done += 32) {
        Store(Done, Load(Done));
        Store(Done + 8, Load(Done + 8));
        Store(Done + 16, Load(Done + 16));
        Store(Done + 24, Load(Done + 24));
    }
    for (; Count - Done >= 8; Done += 8) {
        Store(Done, Load(Done));
    }
#endif
    std::copy(From + Done, From + Count, To + Done);
}

}  // namespace

FString::FString(const TCHAR* Str) {
    if (Str == nullptr) {
        NullArgument();
    }
    if (*Str == 0) {
        return;
    }
    const std::size_t Length = LengthOf(Str);
    TCHAR* const Units = Allocate(Length);
    CopyUnits(Str, Length, Units);
    Units[Length] = 0;
    Data.AllocatorInstance = Units;
    Data.ArrayNum = Data.ArrayMax = static_cast<int32>(Length + 1);
}

FString::FString(TCHAR* Str) {
    if (Str == nullptr) {
        NullArgument();
    }
    const std::size_t Length = LengthOf(Str);
    if (Length >= static_cast<std::size_t>(std::numeric_limits<int32>::max())) {
        throw std::runtime_error("FString: more characters than an engine string holds");
    }
    // The caller's buffer becomes the array's own, grown in place as the engine's array would.
    auto* const Units = static_cast<TCHAR*>(std::realloc(Str, (Length + 1) * sizeof(TCHAR)));
    if (Units == nullptr) {
        throw std::bad_alloc();
    }
    Data.AllocatorInstance = Units;
    Data.ArrayNum = Data.ArrayMax = static_cast<int32>(Length + 1);
}

FString::FString(const FString& Other)
    : FString(Other.Data.AllocatorInstance ? Other.Data.AllocatorInstance : EmptyText) {}

FString& FString::operator=(const FString& Other) {
    if (this != &Other) {
        FString Copy(Other);
        std::swap(Data.AllocatorInstance, Copy.Data.AllocatorInstance);
        std::swap(Data.ArrayNum, Copy.Data.ArrayNum);
        std::swap(Data.ArrayMax, Copy.Data.ArrayMax);
    }
    return *this;
}

FString::~FString() { std::free(Data.AllocatorInstance); }

#if QVH_STAND_IN_HOST_GENERATION >= 4
const TCHAR* FString::operator*() const noexcept {
#else
const TCHAR* FString::GetCharArray() const noexcept {
#endif
    return Data.AllocatorInstance ? Data.AllocatorInstance : EmptyText;
}

int32 FString::Len() const noexcept { return Data.ArrayNum > 0 ? Data.ArrayNum - 1 : 0; }

}  // namespace RC::Unreal
