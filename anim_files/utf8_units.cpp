#include "anim_files/utf8_units.hpp"

#include "anim_files/utf8_chunks.hpp"
#include "anim_files/utf8_sequence.hpp"

namespace QVH::detail {
namespace {

static_assert(sizeof(RC::CharType) == 2, "engine text is UTF-16");

enum class Chunks { None, Sse2, Avx2 };

template <bool SkipLineBreaks, Chunks With>
std::size_t Decode(const unsigned char* In, std::size_t Size, RC::CharType* Out) {
    const unsigned char* const End = In + Size;
    Utf8Cursor At{In, Out};
    while (At.In != End) {
        // Text that is mostly not ASCII goes straight to the sequence decoder, and so do the
        // last bytes, fewer than a chunk, once the chunk loops are done.
        if (With != Chunks::None && *At.In < 0x80 && End - At.In >= 16) {
#ifdef QVH_DECODE_WITH_AVX2
            if constexpr (With == Chunks::Avx2) {
                At = DecodeChunksAvx2<SkipLineBreaks>(At, End);
            }
#endif
#ifdef QVH_DECODE_WITH_SSE2
            // Also what the AVX2 loop leaves: up to 31 bytes.
            At = DecodeChunksSse2<SkipLineBreaks>(At, End);
#endif
            if (At.In == End) {
                break;
            }
        }
        if (SkipLineBreaks && IsLineBreak(*At.In)) {
            ++At.In;
            continue;
        }
        At = DecodeSequence<SkipLineBreaks>(At, End);
    }
    return static_cast<std::size_t>(At.Out - Out);
}

char16_t LoadUnit(const unsigned char* In, bool BigEndian) {
    return BigEndian ? static_cast<char16_t>(In[0] << 8 | In[1])
                     : static_cast<char16_t>(In[1] << 8 | In[0]);
}

bool IsHighSurrogate(char16_t Unit) { return Unit >= 0xD800 && Unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t Unit) { return Unit >= 0xDC00 && Unit <= 0xDFFF; }

}  // namespace

std::size_t DecodeUtf8Units(const unsigned char* In, std::size_t Size, RC::CharType* Out,
                            bool SkipLineBreaks) {
#ifdef QVH_DECODE_WITH_AVX2
    if (ProcessorHasAvx2()) {
        return SkipLineBreaks ? Decode<true, Chunks::Avx2>(In, Size, Out)
                              : Decode<false, Chunks::Avx2>(In, Size, Out);
    }
#endif
#ifdef QVH_DECODE_WITH_SSE2
    return SkipLineBreaks ? Decode<true, Chunks::Sse2>(In, Size, Out)
                          : Decode<false, Chunks::Sse2>(In, Size, Out);
#else
    return DecodeUtf8UnitsScalar(In, Size, Out, SkipLineBreaks);
#endif
}

std::size_t DecodeUtf8UnitsScalar(const unsigned char* In, std::size_t Size, RC::CharType* Out,
                                  bool SkipLineBreaks) {
    return SkipLineBreaks ? Decode<true, Chunks::None>(In, Size, Out)
                          : Decode<false, Chunks::None>(In, Size, Out);
}

std::vector<NamedUtf8Decoder> Utf8DecodersOfThisProcessor() {
    std::vector<NamedUtf8Decoder> Decoders{{"scalar", DecodeUtf8UnitsScalar}};
#ifdef QVH_DECODE_WITH_SSE2
    Decoders.push_back({"SSE2", [](const unsigned char* In, std::size_t Size, RC::CharType* Out,
                                   bool SkipLineBreaks) {
                            return SkipLineBreaks ? Decode<true, Chunks::Sse2>(In, Size, Out)
                                                  : Decode<false, Chunks::Sse2>(In, Size, Out);
                        }});
#endif
#ifdef QVH_DECODE_WITH_AVX2
    if (ProcessorHasAvx2()) {
        Decoders.push_back({"AVX2", [](const unsigned char* In, std::size_t Size, RC::CharType* Out,
                                       bool SkipLineBreaks) {
                                return SkipLineBreaks ? Decode<true, Chunks::Avx2>(In, Size, Out)
                                                      : Decode<false, Chunks::Avx2>(In, Size, Out);
                            }});
    }
#endif
    return Decoders;
}

std::size_t DecodeUtf16Units(const unsigned char* In, std::size_t Size, bool BigEndian,
                             RC::CharType* Out) {
    const unsigned char* const End = In + (Size & ~std::size_t{1});
    RC::CharType* const First = Out;
    while (In != End) {
        const char16_t Unit = LoadUnit(In, BigEndian);
        In += 2;
        if (IsHighSurrogate(Unit) && In != End && IsLowSurrogate(LoadUnit(In, BigEndian))) {
            *Out++ = static_cast<RC::CharType>(Unit);
            *Out++ = static_cast<RC::CharType>(LoadUnit(In, BigEndian));
            In += 2;
        } else if (IsHighSurrogate(Unit) || IsLowSurrogate(Unit)) {
            *Out++ = Replacement;
        } else if (Unit != u'\r' && Unit != u'\n') {
            *Out++ = static_cast<RC::CharType>(Unit);
        }
    }
    if (Size % 2 != 0) {
        *Out++ = Replacement;
    }
    return static_cast<std::size_t>(Out - First);
}

}  // namespace QVH::detail
