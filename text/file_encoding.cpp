#include "text/file_encoding.hpp"

#include "text/unicode.hpp"

namespace QVH {

FileEncoding DetectEncoding(std::string_view Head) {
    if (Head.starts_with(Utf16LeBom)) {
        return {TextEncoding::Utf16Le, Utf16LeBom.size()};
    }
    if (Head.starts_with(Utf16BeBom)) {
        return {TextEncoding::Utf16Be, Utf16BeBom.size()};
    }
    return {TextEncoding::Utf8, Head.starts_with(Utf8Bom) ? Utf8Bom.size() : 0};
}

std::uint64_t MaxFileBytes(FileEncoding Encoding, std::uint64_t MaxUnits) {
    // UTF-16 takes two bytes a unit; an odd trailing byte still makes one more unit.
    return Encoding.MarkBytes + (Encoding.IsUtf16() ? 2 : 1) * MaxUnits;
}

}  // namespace QVH
