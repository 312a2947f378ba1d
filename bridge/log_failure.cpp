#include "bridge/log_failure.hpp"

#include <exception>

#include "anim_files/decode_text.hpp"
#include "mod/log_message.hpp"

namespace QVH::detail {

void LogCurrentException(RC::StringViewType Prefix) noexcept {
    try {
        RC::StringType Line(Prefix);
        try {
            throw;
        } catch (const std::exception& Error) {
            // Error texts are UTF-8 (file paths among them); what is not becomes U+FFFD, so a
            // garbled path still gives a readable line.
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
