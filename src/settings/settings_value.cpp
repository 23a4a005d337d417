#include "settings/settings_value.h"

#include <charconv>
#include <limits>
#include <string_view>

namespace morvane::settings {

std::string_view withoutBlanks(std::string_view text) {
    using namespace std::string_view_literals;
    const auto first = text.find_first_not_of(" \t"sv);
    const auto last = text.find_last_not_of(" \t\0"sv);
    if (first == std::string_view::npos || last == std::string_view::npos || last < first) return {};
    return text.substr(first, last - first + 1);
}

std::string SettingsValue::textForm() const {
    if (const auto* text = std::get_if<std::string>(&value_)) return *text;
    if (const auto* number = std::get_if<std::int32_t>(&value_)) return std::to_string(*number);
    return {};
}

std::optional<std::int32_t> SettingsValue::toNumber() const {
    if (isEmpty()) return 0;
    if (const auto* number = std::get_if<std::int32_t>(&value_)) return *number;

    std::string_view digits = withoutBlanks(std::get<std::string>(value_));
    bool negative = false;
    if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) {
        negative = digits.front() == '-';
        digits.remove_prefix(1);
    }
    if (digits.empty() || digits.front() == '+' || digits.front() == '-') return std::nullopt;
    // Read as a wider magnitude so that "-2147483648" fits before the sign applies.
    std::int64_t magnitude = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), magnitude);
    if (error != std::errc{} || end != digits.data() + digits.size()) return std::nullopt;
    const std::int64_t signedValue = negative ? -magnitude : magnitude;
    if (signedValue < std::numeric_limits<std::int32_t>::min() ||
        signedValue > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(signedValue);
}

}  // namespace morvane::settings
