#include "tools/check/utf8.hpp"

namespace QVH::HostTool {

bool DecodeUtf8(std::string_view Bytes, RC::StringType& Out) {
    Out.clear();
    for (std::size_t I = 0; I < Bytes.size();) {
        const auto Lead = static_cast<unsigned char>(Bytes[I]);
        const std::size_t Length = Lead < 0x80                    ? 1
                                   : Lead >= 0xC2 && Lead <= 0xDF ? 2
                                   : Lead >= 0xE0 && Lead <= 0xEF ? 3
                                   : Lead >= 0xF0 && Lead <= 0xF4 ? 4
                                                                  : 0;
        if (Length == 0 || I + Length > Bytes.size()) {
            return false;
        }
        char32_t Code = Length == 1 ? Lead : Lead & (0x7F >> Length);
        for (std::size_t K = 1; K < Length; ++K) {
            const auto Next = static_cast<unsigned char>(Bytes[I + K]);
            if ((Next & 0xC0) != 0x80) {
                return false;
            }
            Code = (Code << 6) | (Next & 0x3F);
        }
        // Overlong forms, surrogates and values past the last code point are no characters.
        const char32_t Min[] = {0, 0, 0x80, 0x800, 0x10000};
        if (Code < Min[Length] || Code > 0x10FFFF || (Code >= 0xD800 && Code <= 0xDFFF)) {
            return false;
        }
        if (Code >= 0x10000) {
            Out += static_cast<RC::CharType>(0xD800 + ((Code - 0x10000) >> 10));
            Out += static_cast<RC::CharType>(0xDC00 + ((Code - 0x10000) & 0x3FF));
        } else {
            Out += static_cast<RC::CharType>(Code);
        }
        I += Length;
    }
    return true;
}

Utf8Step NextUtf8(std::string_view Bytes, std::size_t At, bool SkipLineBreaks) {
    const auto Lead = static_cast<unsigned char>(Bytes[At]);
    std::size_t In = At + 1;
    if (Lead < 0x80) {
        return {Lead, 1, true};
    }
    int Trail = 0;
    char32_t Code = 0;
    // The first trail byte's range is narrower after E0, ED, F0 and F4: that excludes overlong
    // forms, surrogates and values past U+10FFFF.
    unsigned Low = 0x80;
    unsigned High = 0xBF;
    if (Lead >= 0xC2 && Lead <= 0xDF) {
        Trail = 1;
        Code = Lead & 0x1F;
    } else if (Lead >= 0xE0 && Lead <= 0xEF) {
        Trail = 2;
        Code = Lead & 0x0F;
        Low = Lead == 0xE0 ? 0xA0 : 0x80;
        High = Lead == 0xED ? 0x9F : 0xBF;
    } else if (Lead >= 0xF0 && Lead <= 0xF4) {
        Trail = 3;
        Code = Lead & 0x07;
        Low = Lead == 0xF0 ? 0x90 : 0x80;
        High = Lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return {0xFFFD, 1, false};
    }
    for (; Trail > 0; --Trail) {
        while (SkipLineBreaks && In < Bytes.size() && (Bytes[In] == '\r' || Bytes[In] == '\n')) {
            ++In;
        }
        const auto Next = In < Bytes.size() ? static_cast<unsigned char>(Bytes[In]) : 0u;
        if (In == Bytes.size() || Next < Low || Next > High) {
            return {0xFFFD, In - At, false};
        }
        Code = (Code << 6) | (Next & 0x3F);
        ++In;
        Low = 0x80;
        High = 0xBF;
    }
    return {Code, In - At, true};
}

void AppendUtf8(std::string& Out, char32_t Code) {
    if (Code < 0x80) {
        Out += static_cast<char>(Code);
    } else if (Code < 0x800) {
        Out += static_cast<char>(0xC0 | (Code >> 6));
        Out += static_cast<char>(0x80 | (Code & 0x3F));
    } else if (Code < 0x10000) {
        Out += static_cast<char>(0xE0 | (Code >> 12));
        Out += static_cast<char>(0x80 | ((Code >> 6) & 0x3F));
        Out += static_cast<char>(0x80 | (Code & 0x3F));
    } else {
        Out += static_cast<char>(0xF0 | (Code >> 18));
        Out += static_cast<char>(0x80 | ((Code >> 12) & 0x3F));
        Out += static_cast<char>(0x80 | ((Code >> 6) & 0x3F));
        Out += static_cast<char>(0x80 | (Code & 0x3F));
    }
}

std::string ValidUtf8(std::string_view Bytes) {
    std::string Out;
    Out.reserve(Bytes.size());
    for (std::size_t At = 0; At < Bytes.size();) {
        const Utf8Step Step = NextUtf8(Bytes, At, false);
        AppendUtf8(Out, Step.Code);
        At += Step.Length;
    }
    return Out;
}

}  // namespace QVH::HostTool
