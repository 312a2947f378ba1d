#include "text/from_utf8.hpp"

#include <algorithm>

#include "text/from_utf8_chunks.hpp"
#include "text/utf8_sequence.hpp"

namespace QVH {
namespace detail {
namespace {

static_assert(sizeof(RC::CharType) == 2, "engine text is UTF-16");

enum class Chunks { None, Sse2 };

template <bool SkipLineBreaks, Chunks With>
std::size_t Decode(const unsigned char* In, std::size_t Size, RC::CharType* Out) {
    const unsigned char* const End = In + Size;
    Utf8Cursor At{In, Out};
    while (At.In != End) {
        // Text that is mostly not ASCII goes straight to the sequence decoder, and so do the
        // last bytes, fewer than a chunk, once the chunk loop is done.
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

}  // namespace

std::size_t DecodeUtf8Units(const unsigned char* In, std::size_t Size, RC::CharType* Out,
                            bool SkipLineBreaks) {
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

std::vector<NamedUtf8Decoder> Utf8DecodersOfThisBuild() {
    std::vector<NamedUtf8Decoder> Decoders{{"scalar", DecodeUtf8UnitsScalar}};
#ifdef QVH_DECODE_WITH_SSE2
    Decoders.push_back({"SSE2", [](const unsigned char* In, std::size_t Size, RC::CharType* Out,
                                   bool SkipLineBreaks) {
                            return SkipLineBreaks ? Decode<true, Chunks::Sse2>(In, Size, Out)
                                                  : Decode<false, Chunks::Sse2>(In, Size, Out);
                        }});
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
