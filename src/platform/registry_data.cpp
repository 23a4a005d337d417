#include "platform/registry_data.h"

#include "platform/text.h"

namespace morvane::platform {

std::vector<std::byte> registryText(std::string_view utf8) {
    const std::u16string units = utf8ToUtf16(utf8);
    std::vector<std::byte> bytes(units.size() * 2);
    for (std::size_t i = 0; i < units.size(); ++i) {
        bytes[2 * i] = std::byte(units[i] & 0xFF);
        bytes[2 * i + 1] = std::byte(units[i] >> 8);
    }
    return bytes;
}

std::string textFromRegistry(std::span<const std::byte> bytes) {
    std::u16string units(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i)
        units[i] = static_cast<char16_t>(std::to_integer<unsigned>(bytes[2 * i]) |
                                         (std::to_integer<unsigned>(bytes[2 * i + 1]) << 8));
    return utf16ToUtf8(units);
}

std::array<std::byte, 4> registryNumber(std::uint32_t number) {
    return {std::byte(number & 0xFF), std::byte((number >> 8) & 0xFF), std::byte((number >> 16) & 0xFF),
            std::byte(number >> 24)};
}

std::uint32_t numberFromRegistry(std::span<const std::byte> bytes) {
    std::uint32_t number = 0;
    for (std::size_t i = 0; i < bytes.size() && i < sizeof number; ++i)
        number |= std::to_integer<std::uint32_t>(bytes[i]) << (8 * i);
    return number;
}

}  // namespace morvane::platform
