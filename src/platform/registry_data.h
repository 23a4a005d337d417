#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Registry values as the system stores them, encoded and decoded here alone:
// a text as UTF-16 units in little-endian byte pairs, so that any path
// survives, not only those of one code page; a number as four little-endian
// bytes.
namespace morvane::platform {

// No terminating NUL is added.
[[nodiscard]] std::vector<std::byte> registryText(std::string_view utf8);
// Every unit, NULs included; a stray odd byte cannot make one and is left out.
[[nodiscard]] std::string textFromRegistry(std::span<const std::byte> bytes);

[[nodiscard]] std::array<std::byte, 4> registryNumber(std::uint32_t number);
// Bytes missing at the top count as zero; bytes beyond four are not read.
[[nodiscard]] std::uint32_t numberFromRegistry(std::span<const std::byte> bytes);

}  // namespace morvane::platform
