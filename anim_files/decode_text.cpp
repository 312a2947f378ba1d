#include "anim_files/decode_text.hpp"

#include <algorithm>

#include "anim_files/utf8_units.hpp"

namespace QVH {
namespace {

const unsigned char* AsBytes(const char* Data) {
    return reinterpret_cast<const unsigned char*>(Data);
}

bool StartsWith(std::string_view Text, std::string_view Prefix) {
    return Text.substr(0, Prefix.size()) == Prefix;
}

constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view Utf16LeBom = "\xFF\xFE";
constexpr std::string_view Utf16BeBom = "\xFE\xFF";

DecodedText Allocate(std::size_t Capacity) {
    return DecodedText{std::unique_ptr<RC::CharType[]>(new RC::CharType[Capacity + 1]), 0};
}

}  // namespace

const RC::CharType* DecodedText::c_str() const noexcept {
    static constexpr RC::CharType Empty[] = {0};
    return Units ? Units.get() : Empty;
}

RC::StringType DecodeUtf8(std::string_view Bytes) {
    RC::StringType Text;
    AppendUtf8(Text, Bytes);
    return Text;
}

void AppendUtf8(RC::StringType& Text, std::string_view Bytes) {
    const std::size_t Old = Text.size();
    const std::size_t Needed = Old + Bytes.size();
    if (Needed > Text.capacity()) {
        Text.reserve(std::max(Needed, 2 * Text.capacity()));
    }
    Text.resize(Needed);
    const std::size_t Written =
        detail::DecodeUtf8Units(AsBytes(Bytes.data()), Bytes.size(), Text.data() + Old, false);
    Text.resize(Old + Written);
}

DecodedText DecodeFileText(std::span<const char> Bytes) {
    const std::string_view All(Bytes.data(), Bytes.size());
    DecodedText Text;
    if (StartsWith(All, Utf16LeBom) || StartsWith(All, Utf16BeBom)) {
        const std::string_view Body = All.substr(2);
        Text = Allocate((Body.size() + 1) / 2);
        Text.Size = detail::DecodeUtf16Units(AsBytes(Body.data()), Body.size(),
                                             StartsWith(All, Utf16BeBom), Text.Units.get());
    } else {
        const std::string_view Body = StartsWith(All, Utf8Bom) ? All.substr(3) : All;
        Text = Allocate(Body.size());
        Text.Size =
            detail::DecodeUtf8Units(AsBytes(Body.data()), Body.size(), Text.Units.get(), true);
    }
    Text.Units[Text.Size] = 0;
    return Text;
}

std::uint64_t MaxTextFileBytes(std::string_view Head) {
    if (StartsWith(Head, Utf16LeBom) || StartsWith(Head, Utf16BeBom)) {
        // Two bytes a unit; an odd trailing byte still makes one more unit.
        return 2 + 2 * MaxEngineTextUnits;
    }
    if (StartsWith(Head, Utf8Bom)) {
        return 3 + MaxEngineTextUnits;
    }
    return MaxEngineTextUnits;
}

}  // namespace QVH
