#include "StandIn/ProgramFolder.hpp"

#include <string>
#include <system_error>

#if defined(_WIN32)
#include <windows.h>
#endif

namespace StandIn {

std::filesystem::path ProgramFolder() {
#if defined(_WIN32)
    // The path can be longer than MAX_PATH; a buffer that is too small comes back filled to the
    // brim, so grow it until the path fits with room to spare.
    std::wstring Buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD Length =
            GetModuleFileNameW(nullptr, Buffer.data(), static_cast<DWORD>(Buffer.size()));
        if (Length == 0) {
            throw std::filesystem::filesystem_error(
                "GetModuleFileNameW",
                std::error_code(static_cast<int>(GetLastError()), std::system_category()));
        }
        if (Length < Buffer.size()) {
            Buffer.resize(Length);
            return std::filesystem::path(Buffer).parent_path();
        }
        Buffer.resize(Buffer.size() * 2);
    }
#else
    return std::filesystem::canonical("/proc/self/exe").parent_path();
#endif
}

}  // namespace StandIn
