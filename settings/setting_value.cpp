#include "setting_value.h"

#include "error.h"
#include "locale_number_conversion.h"
#include "plain_number_parse.h"

namespace orlivane {
namespace {

std::wstring ConversionMessage(const wchar_t* format_start, const wchar_t* target) {
    return std::wstring(format_start) + L" variant of type (UnicodeString) into type (" + target +
           L")";
}

[[noreturn]] void ThrowCouldNotConvert(const wchar_t* target) {
    throw Error(ConversionMessage(L"Could not convert", target));
}

[[noreturn]] void ThrowOverflow(const wchar_t* target) {
    throw Error(ConversionMessage(L"Overflow while converting", target));
}

// Up to nine ASCII digits read the same in every locale, so the common stored values ("0",
// "1", "9") need no locale-aware conversion, nor the library that holds it.
bool ReadPlainDigits(const std::wstring& text, std::int32_t& value) {
    if (text.empty() || text.size() > 9) return false;
    std::int32_t result = 0;
    for (const wchar_t c : text) {
        if (c < L'0' || c > L'9') return false;
        result = result * 10 + (c - L'0');
    }
    value = result;
    return true;
}

}  // namespace

std::wstring SettingValue::ToText() const {
    if (const auto* text = std::get_if<std::wstring>(&value_)) return *text;
    if (const auto* byte = std::get_if<std::uint8_t>(&value_)) return std::to_wstring(*byte);
    return std::to_wstring(std::get<std::int32_t>(value_));
}

std::int32_t SettingValue::ToInteger() const {
    if (const auto* byte = std::get_if<std::uint8_t>(&value_)) return *byte;
    if (const auto* integer = std::get_if<std::int32_t>(&value_)) return *integer;
    const std::wstring& text = std::get<std::wstring>(value_);
    if (std::int32_t digits = 0; ReadPlainDigits(text, digits)) return digits;

    const auto locale = LocaleTextToInt32(text);
    switch (locale.status) {
        case ConversionStatus::Ok:
            return locale.value;
        case ConversionStatus::Overflow:
            ThrowOverflow(L"Integer");
        case ConversionStatus::Failed:
            ThrowCouldNotConvert(L"Integer");
        case ConversionStatus::TypeMismatch:
            break;
    }
    if (const auto plain = ParsePlainInteger(text)) return *plain;
    if (const auto truth = ParseTruthValue(text)) return *truth;
    ThrowCouldNotConvert(L"Integer");
}

double SettingValue::ToDouble() const {
    if (const auto* byte = std::get_if<std::uint8_t>(&value_)) return *byte;
    if (const auto* integer = std::get_if<std::int32_t>(&value_)) return *integer;
    const std::wstring& text = std::get<std::wstring>(value_);
    if (std::int32_t digits = 0; ReadPlainDigits(text, digits)) return digits;

    const auto locale = LocaleTextToDouble(text);
    switch (locale.status) {
        case ConversionStatus::Ok:
            return locale.value;
        case ConversionStatus::Overflow:
            ThrowOverflow(L"Double");
        case ConversionStatus::Failed:
            ThrowCouldNotConvert(L"Double");
        case ConversionStatus::TypeMismatch:
            break;
    }
    if (const auto plain = ParsePlainDecimal(text)) return *plain;
    ThrowCouldNotConvert(L"Double");
}

bool Equals(const SettingValue& left, const SettingValue& right) {
    if (left.IsText() && right.IsText()) return left.ToText() == right.ToText();
    if (left.IsText() || right.IsText()) return left.ToDouble() == right.ToDouble();
    return left.ToInteger() == right.ToInteger();
}

}  // namespace orlivane
