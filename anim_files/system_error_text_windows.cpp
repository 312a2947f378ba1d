#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <string>

#include "anim_files/system_error_text.hpp"
#include "text/from_utf8.hpp"

namespace QVH {

RC::StringType SystemErrorText(std::error_code Error) {
    if (Error.category() != std::system_category()) {
        // An errno value, as MinGW's filesystem library reports a folder's failures: the runtime
        // has the only text for it.
        return FromUtf8(Error.message());
    }
    // The system's message as UTF-16, so it reads right in any language the system speaks; the
    // runtime's narrow message would pass through the ANSI code page.
    wchar_t* Message = nullptr;
    const DWORD Length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(Error.value()), 0, reinterpret_cast<wchar_t*>(&Message), 0,
        nullptr);
    RC::StringType Text;
    if (Length > 0 && Message != nullptr) {
        Text.assign(Message, Length);
    }
    ::LocalFree(Message);
    while (!Text.empty() && (Text.back() == L'\r' || Text.back() == L'\n' || Text.back() == L' ' ||
                             Text.back() == L'.')) {
        Text.pop_back();
    }
    if (Text.empty()) {
        Text = L"error " + std::to_wstring(Error.value());
    }
    return Text;
}

}  // namespace QVH
