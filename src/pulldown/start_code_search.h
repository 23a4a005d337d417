#pragma once

#include <cstddef>
#include <cstdint>

namespace morvane::pulldown {

// Where the first start code prefix (00 00 01) lies whole in bytes[from, size),
// or `size` when none does.
std::size_t findStartCode(const std::uint8_t* bytes, std::size_t size, std::size_t from);

}  // namespace morvane::pulldown
