#include "locale_number_conversion.h"

#include <windows.h>
#include <oleauto.h>

#include "system_library.h"

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

using VarI4FromStrFunction = HRESULT(WINAPI*)(OLECHAR*, LCID, ULONG, LONG*);
using VarR8FromStrFunction = HRESULT(WINAPI*)(OLECHAR*, LCID, ULONG, DOUBLE*);

}  // namespace

LocaleConversion<std::int32_t> LocaleTextToInt32(const std::wstring& text) {
    static const auto convert =
        SystemFunctionAs<VarI4FromStrFunction>(L"oleaut32.dll", "VarI4FromStr");
    if (!convert) return {ConversionStatus::Failed, 0};
    LONG value = 0;
    const HRESULT result = convert(Input(text), LOCALE_USER_DEFAULT, 0, &value);
    return {StatusOf(result), static_cast<std::int32_t>(value)};
}

LocaleConversion<double> LocaleTextToDouble(const std::wstring& text) {
    static const auto convert =
        SystemFunctionAs<VarR8FromStrFunction>(L"oleaut32.dll", "VarR8FromStr");
    if (!convert) return {ConversionStatus::Failed, 0.0};
    DOUBLE value = 0;
    const HRESULT result = convert(Input(text), LOCALE_USER_DEFAULT, 0, &value);
    return {StatusOf(result), static_cast<double>(value)};
}

}  // namespace orlivane
