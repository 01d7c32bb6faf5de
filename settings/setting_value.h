// A setting as it travels between the registry and its callers: text, a byte or a 32-bit
// integer, with the conversions callers rely on.
#pragma once

#include <cstdint>
#include <string>
#include <variant>

namespace orlivane {

class SettingValue {
  public:
    SettingValue() = default;  // the empty text
    static SettingValue Text(std::wstring text) { return SettingValue(Storage(std::move(text))); }
    static SettingValue Byte(std::uint8_t value) { return SettingValue(Storage(value)); }
    static SettingValue Integer(std::int32_t value) { return SettingValue(Storage(value)); }

    bool IsText() const { return std::holds_alternative<std::wstring>(value_); }

    // Text unchanged; integers in plain decimal, "-" for negatives.
    std::wstring ToText() const;

    // Locale-aware integer reading first, then the plain integer and the truth-value
    // readings. Throws Error with the conversion or overflow message.
    std::int32_t ToInteger() const;

    // Locale-aware number reading, then a plain decimal with blanks around it.
    double ToDouble() const;

    // Text against text compares code unit for code unit; text against a number compares
    // the text's numeric value (throwing when it is no number); numbers compare as numbers.
    friend bool Equals(const SettingValue& left, const SettingValue& right);

    // Structural identity (same type, same contents), for tests and diagnostics.
    bool operator==(const SettingValue& other) const = default;

  private:
    using Storage = std::variant<std::wstring, std::uint8_t, std::int32_t>;
    explicit SettingValue(Storage value) : value_(std::move(value)) {}
    Storage value_;
};

}  // namespace orlivane
