// The user's locale-aware text-to-number conversions. On Windows these are the OLE
// Automation conversions with the user default locale; elsewhere a plain reading.
#pragma once

#include <cstdint>
#include <string>

namespace orlivane {

enum class ConversionStatus { Ok, TypeMismatch, Overflow, Failed };

template <typename T>
struct LocaleConversion {
    ConversionStatus status;
    T value;
};

LocaleConversion<std::int32_t> LocaleTextToInt32(const std::wstring& text);
LocaleConversion<double> LocaleTextToDouble(const std::wstring& text);

}  // namespace orlivane
