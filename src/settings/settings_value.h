#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace morvane::settings {

// What a registry read yields: nothing, a text or a signed 32-bit number.
class SettingsValue {
public:
    SettingsValue() = default;
    SettingsValue(std::string text) : value_(std::move(text)) {}    // NOLINT: implicit on purpose
    SettingsValue(const char* text) : value_(std::string(text)) {}  // NOLINT
    SettingsValue(std::int32_t number) : value_(number) {}          // NOLINT

    [[nodiscard]] bool isEmpty() const { return std::holds_alternative<std::monostate>(value_); }
    [[nodiscard]] bool isText() const { return std::holds_alternative<std::string>(value_); }
    [[nodiscard]] bool isNumber() const { return std::holds_alternative<std::int32_t>(value_); }

    // The empty text, the text itself, or the number's decimal digits.
    [[nodiscard]] std::string textForm() const;
    // The number itself, the empty value as 0, or a text holding a decimal
    // number in range (blanks around it and NULs after it allowed); nothing
    // for any other text.
    [[nodiscard]] std::optional<std::int32_t> toNumber() const;

    friend bool operator==(const SettingsValue&, const SettingsValue&) = default;

private:
    std::variant<std::monostate, std::string, std::int32_t> value_;
};

// The text without the blanks around it and the NULs that other tools store
// after a text: what a stored number or word is read from.
[[nodiscard]] std::string_view withoutBlanks(std::string_view text);

}  // namespace morvane::settings
