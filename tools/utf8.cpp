#include "tools/utf8.hpp"

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

}  // namespace QVH::HostTool
