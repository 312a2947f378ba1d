#include "bridge/log_failure.hpp"

#include <exception>
#include <string_view>

#include "mod/log_message.hpp"

namespace QVH::detail {
namespace {

// Error texts are UTF-8 (file paths among them). Each maximal ill-formed part becomes one U+FFFD,
// so a garbled path still gives a readable line.
RC::StringType DecodeUtf8(std::string_view Bytes) {
    RC::StringType Out;
    Out.reserve(Bytes.size());
    std::size_t I = 0;
    while (I < Bytes.size()) {
        const auto Lead = static_cast<unsigned char>(Bytes[I]);
        if (Lead < 0x80) {
            Out += static_cast<RC::CharType>(Lead);
            ++I;
            continue;
        }
        // Length of the sequence and the range of its second byte, which rules out overlong
        // forms, surrogates and values past U+10FFFF.
        std::size_t Length = 0;
        unsigned char Low = 0x80;
        unsigned char High = 0xBF;
        if (Lead >= 0xC2 && Lead <= 0xDF) {
            Length = 2;
        } else if (Lead >= 0xE0 && Lead <= 0xEF) {
            Length = 3;
            Low = Lead == 0xE0 ? 0xA0 : 0x80;
            High = Lead == 0xED ? 0x9F : 0xBF;
        } else if (Lead >= 0xF0 && Lead <= 0xF4) {
            Length = 4;
            Low = Lead == 0xF0 ? 0x90 : 0x80;
            High = Lead == 0xF4 ? 0x8F : 0xBF;
        }
        char32_t Code = Lead & (0x7F >> Length);
        std::size_t Taken = 1;
        while (Taken < Length && I + Taken < Bytes.size()) {
            const auto Next = static_cast<unsigned char>(Bytes[I + Taken]);
            if (Next < (Taken == 1 ? Low : 0x80) || Next > (Taken == 1 ? High : 0xBF)) {
                break;
            }
            Code = (Code << 6) | (Next & 0x3F);
            ++Taken;
        }
        I += Taken;
        if (Length == 0 || Taken < Length) {
            Out += static_cast<RC::CharType>(0xFFFD);
        } else if (Code >= 0x10000) {
            Out += static_cast<RC::CharType>(0xD800 + ((Code - 0x10000) >> 10));
            Out += static_cast<RC::CharType>(0xDC00 + ((Code - 0x10000) & 0x3FF));
        } else {
            Out += static_cast<RC::CharType>(Code);
        }
    }
    return Out;
}

}  // namespace

void LogCurrentException(RC::StringViewType Prefix) noexcept {
    try {
        RC::StringType Line(Prefix);
        try {
            throw;
        } catch (const std::exception& Error) {
            Line += DecodeUtf8(Error.what());
        } catch (...) {
            Line += STR("unknown error");
        }
        LogMessage(Line);
    } catch (...) {
        // Nowhere left to report it; the game goes on.
    }
}

}  // namespace QVH::detail
