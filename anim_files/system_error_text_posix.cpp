#include "anim_files/system_error_text.hpp"

#include "text/from_utf8.hpp"

namespace QVH {

RC::StringType SystemErrorText(std::error_code Error) {
    // strerror's text: ASCII in the C locale the game runs in, UTF-8 in any other.
    return FromUtf8(Error.message());
}

}  // namespace QVH
