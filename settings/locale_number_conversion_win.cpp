#include "locale_number_conversion.h"

#include <windows.h>
#include <oleauto.h>

namespace orlivane {
namespace {

ConversionStatus StatusOf(HRESULT result) {
    if (SUCCEEDED(result)) return ConversionStatus::Ok;
    if (result == DISP_E_TYPEMISMATCH) return ConversionStatus::TypeMismatch;
    if (result == DISP_E_OVERFLOW) return ConversionStatus::Overflow;
    return ConversionStatus::Failed;
}

// Some SDKs declare the input as non-const; the conversions never write to it.
OLECHAR* Input(const std::wstring& text) { return const_cast<OLECHAR*>(text.c_str()); }

}  // namespace

LocaleConversion<std::int32_t> LocaleTextToInt32(const std::wstring& text) {
    LONG value = 0;
    const HRESULT result = VarI4FromStr(Input(text), LOCALE_USER_DEFAULT, 0, &value);
    return {StatusOf(result), static_cast<std::int32_t>(value)};
}

LocaleConversion<double> LocaleTextToDouble(const std::wstring& text) {
    DOUBLE value = 0;
    const HRESULT result = VarR8FromStr(Input(text), LOCALE_USER_DEFAULT, 0, &value);
    return {StatusOf(result), static_cast<double>(value)};
}

}  // namespace orlivane
