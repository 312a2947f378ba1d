#pragma once

#include <string>
#include <string_view>

// Engine text is UTF-16 on every platform. Windows' wchar_t is 16 bits wide, and there the host's
// text types are the wide ones; elsewhere wchar_t is 32 bits, so this stand-in uses char16_t.
namespace RC {
#if defined(_WIN32)
using CharType = wchar_t;
#define STR(text) L##text
#else
using CharType = char16_t;
#define STR(text) u##text
#endif
using StringType = std::basic_string<CharType>;
using StringViewType = std::basic_string_view<CharType>;
}  // namespace RC
