// Number readings that need no locale: the fallbacks used when the user's locale-aware
// conversion does not recognise a text as a number.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace orlivane {

// Leading spaces, an optional sign, then decimal digits or a hexadecimal number written
// with "$", "x" or "0x"; nothing may follow. Hexadecimal covers the full 32 bits
// ("$FFFFFFFF" is -1); a decimal outside the 32-bit range is no integer.
std::optional<std::int32_t> ParsePlainInteger(std::wstring_view text);

// An optionally signed decimal number with an optional fraction (".") and exponent,
// spaces allowed before and after.
std::optional<double> ParsePlainDecimal(std::wstring_view text);

// A decimal number gives 1 when non-zero and 0 when zero; "True" and "False" in any case
// give 1 and 0.
std::optional<std::int32_t> ParseTruthValue(std::wstring_view text);

}  // namespace orlivane
