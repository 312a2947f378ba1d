#include "text/from_utf8.hpp"

#include <algorithm>

#include "text/from_utf8_chunks.hpp"
#include "text/utf8_sequence.hpp"
#include "text/x86_features.hpp"

namespace QVH {
namespace detail {
namespace {

static_assert(sizeof(RC::CharType) == 2, "engine text is UTF-16");

enum class Chunks { None, Sse2, Avx2 };

template <bool SkipLineBreaks, Chunks With>
std::size_t Decode(const unsigned char* In, std::size_t Size, RC::CharType* Out) {
    const unsigned char* const End = In + Size;
    Utf8Cursor At{In, Out};
    while (At.In != End) {
        // The AVX2 loop stops 64 bytes before the end, where the SSE2 loop takes ASCII text on;
        // the SSE2 loop leaves text that is mostly not ASCII to the sequence decoder, and the
        // last bytes, fewer than a chunk, go there too once the chunk loops are done.
        if (With == Chunks::Avx2 && End - At.In >= 64) {
#ifdef QVH_DECODE_WITH_AVX2
            At = DecodeChunksAvx2<SkipLineBreaks>(At, In, End);
#endif
            if (At.In == End) {
                break;
            }
        }
        if (With != Chunks::None && *At.In < 0x80 && End - At.In >= 16) {
#ifdef QVH_DECODE_WITH_SSE2
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

template <Chunks With>
std::size_t DecodeWith(const unsigned char* In, std::size_t Size, RC::CharType* Out,
                       bool SkipLineBreaks) {
    return SkipLineBreaks ? Decode<true, With>(In, Size, Out) : Decode<false, With>(In, Size, Out);
}

}  // namespace

std::size_t DecodeUtf8Units(const unsigned char* In, std::size_t Size, RC::CharType* Out,
                            bool SkipLineBreaks) {
#ifdef QVH_DECODE_WITH_AVX2
    if (HasAvx2()) {
        return DecodeWith<Chunks::Avx2>(In, Size, Out, SkipLineBreaks);
    }
#endif
#ifdef QVH_DECODE_WITH_SSE2
    return DecodeWith<Chunks::Sse2>(In, Size, Out, SkipLineBreaks);
#else
    return DecodeUtf8UnitsScalar(In, Size, Out, SkipLineBreaks);
#endif
}

std::size_t DecodeUtf8UnitsScalar(const unsigned char* In, std::size_t Size, RC::CharType* Out,
                                  bool SkipLineBreaks) {
    return DecodeWith<Chunks::None>(In, Size, Out, SkipLineBreaks);
}

std::vector<NamedUtf8Decoder> Utf8DecodersOfThisBuild() {
    std::vector<NamedUtf8Decoder> Decoders{{"scalar", DecodeUtf8UnitsScalar}};
#ifdef QVH_DECODE_WITH_SSE2
    Decoders.push_back({"SSE2", DecodeWith<Chunks::Sse2>});
#endif
#ifdef QVH_DECODE_WITH_AVX2
    if (HasAvx2()) {
        Decoders.push_back({"AVX2", DecodeWith<Chunks::Avx2>});
    }
#endif
    return Decoders;
}

}  // namespace detail

RC::StringType FromUtf8(std::string_view Bytes) {
    RC::StringType Text;
    AppendFromUtf8(Text, Bytes);
    return Text;
}

void AppendFromUtf8(RC::StringType& Text, std::string_view Bytes) {
    const std::size_t Old = Text.size();
    const std::size_t Needed = Old + Bytes.size();
    if (Needed > Text.capacity()) {
        Text.reserve(std::max(Needed, 2 * Text.capacity()));
    }
    Text.resize(Needed);
    const std::size_t Written =
        detail::DecodeUtf8Units(reinterpret_cast<const unsigned char*>(Bytes.data()), Bytes.size(),
                                Text.data() + Old, false);
    Text.resize(Old + Written);
}

}  // namespace QVH
