#include "log/log_current_exception.hpp"

#include <exception>

#include "log/log_line.hpp"
#include "text/from_utf8.hpp"

namespace QVH {

void LogCurrentException(RC::StringViewType What) noexcept {
    try {
        RC::StringType Reason;
        try {
            throw;
        } catch (const std::exception& Error) {
            // Error texts are UTF-8 (file paths among them); what is not becomes U+FFFD, so a
            // garbled path still gives a readable line.
            Reason = FromUtf8(Error.what());
        } catch (...) {
            Reason = STR("unknown error");
        }
        LogLine({What, Reason});
    } catch (...) {
        // Nowhere left to report it; the game goes on.
    }
}

}  // namespace QVH
