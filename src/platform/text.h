#pragma once

#include <string>
#include <string_view>

namespace morvane::platform {

// Text is UTF-8 in the program and UTF-16 where it meets the system.
// Malformed input becomes U+FFFD rather than being dropped.
[[nodiscard]] std::u16string utf8ToUtf16(std::string_view utf8);
[[nodiscard]] std::string utf16ToUtf8(std::u16string_view utf16);

// The text in double quotes, so that a message shows an empty one too.
[[nodiscard]] inline std::string quoted(std::string_view text) { return '"' + std::string(text) + '"'; }

// Upper case of ASCII letters only, as the file-name tests need it.
[[nodiscard]] std::string asciiUpper(std::string_view text);

}  // namespace morvane::platform
