#pragma once

#include <string>
#include <string_view>

// Engine text is UTF-16 on every platform. Windows' wchar_t is 16 bits wide; elsewhere it is 32,
// so the engine character type is char16_t there.
namespace RC::File {
#if defined(_WIN32)
using CharType = wchar_t;
#define STR(text) L##text
#else
using CharType = char16_t;
#define STR(text) u##text
#endif
using StringType = std::basic_string<CharType>;
using StringViewType = std::basic_string_view<CharType>;
}  // namespace RC::File

namespace RC {
using File::CharType;
using File::StringType;
using File::StringViewType;
}  // namespace RC
