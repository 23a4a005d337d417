#pragma once

#include <string>
#include <string_view>

#include "platform/text.h"

namespace morvane::platform::win32 {

// wchar_t is UTF-16 on Windows.
inline std::wstring widen(std::string_view utf8) {
    std::u16string w = utf8ToUtf16(utf8);
    return {w.begin(), w.end()};
}

inline std::string narrow(std::wstring_view utf16) {
    return utf16ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(utf16.data()), utf16.size()));
}

}  // namespace morvane::platform::win32
