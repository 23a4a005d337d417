#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace morvane::platform {

// Text is UTF-8 in the program and UTF-16 where it meets the system.
// Malformed input becomes U+FFFD rather than being dropped.
[[nodiscard]] std::u16string utf8ToUtf16(std::string_view utf8);
[[nodiscard]] std::string utf16ToUtf8(std::u16string_view utf16);

// Registry texts are UTF-16 units stored as little-endian byte pairs. A stray
// odd byte cannot make a unit and is left out.
[[nodiscard]] std::vector<std::byte> littleEndianBytes(std::u16string_view units);
[[nodiscard]] std::u16string fromLittleEndianBytes(std::span<const std::byte> bytes);

// Upper case of ASCII letters only, as the file-name tests need it.
[[nodiscard]] std::string asciiUpper(std::string_view text);

}  // namespace morvane::platform
