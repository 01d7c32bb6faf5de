// Without OLE Automation the locale-aware reading is an optionally signed decimal number
// with blanks around it; anything else is a type mismatch, as on Windows.
#include <cmath>
#include <limits>

#include "locale_number_conversion.h"
#include "plain_number_parse.h"

namespace orlivane {

LocaleConversion<std::int32_t> LocaleTextToInt32(const std::wstring& text) {
    const auto number = ParsePlainDecimal(text);
    if (!number) return {ConversionStatus::TypeMismatch, 0};
    const double rounded = std::nearbyint(*number);  // default rounding: halves to even
    if (rounded < static_cast<double>(std::numeric_limits<std::int32_t>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<std::int32_t>::max()))
        return {ConversionStatus::Overflow, 0};
    return {ConversionStatus::Ok, static_cast<std::int32_t>(rounded)};
}

LocaleConversion<double> LocaleTextToDouble(const std::wstring& text) {
    const auto number = ParsePlainDecimal(text);
    if (!number) return {ConversionStatus::TypeMismatch, 0.0};
    if (std::isinf(*number)) return {ConversionStatus::Overflow, 0.0};
    return {ConversionStatus::Ok, *number};
}

}  // namespace orlivane
