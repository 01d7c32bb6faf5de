// Feeds arbitrary text to the number readings and the setting value conversions: they must
// never crash, over-read or disagree with a straightforward reading of the same text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "error.h"
#include "plain_number_parse.h"
#include "setting_value.h"

namespace {

// The plain decimal integer reading done the long way round, for comparison.
bool ReferenceDecimal(const std::wstring& text, std::int32_t& value) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == L' ') ++i;
    std::string digits;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-'))
        digits += static_cast<char>(text[i++]);
    const std::size_t first_digit = digits.size();
    for (; i < text.size(); ++i) {
        if (text[i] < L'0' || text[i] > L'9') return false;
        digits += static_cast<char>(text[i]);
    }
    if (digits.size() == first_digit || digits.size() > 40) return false;
    const long long parsed = std::strtoll(digits.c_str(), nullptr, 10);
    if (parsed < INT32_MIN || parsed > INT32_MAX) return false;
    value = static_cast<std::int32_t>(parsed);
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Two bytes a code unit, as the registry stores text.
    std::wstring text;
    for (std::size_t i = 0; i + 1 < size; i += 2)
        text += static_cast<wchar_t>(data[i] | (data[i + 1] << 8));

    const auto plain = orlivane::ParsePlainInteger(text);
    std::int32_t reference = 0;
    const bool hex = text.find_first_of(L"$xX") != std::wstring::npos;
    if (!hex && ReferenceDecimal(text, reference)) {
        if (!plain || *plain != reference) std::abort();
    }
    (void)orlivane::ParsePlainDecimal(text);
    (void)orlivane::ParseTruthValue(text);

    const auto value = orlivane::SettingValue::Text(text);
    try {
        (void)value.ToInteger();
    } catch (const orlivane::Error&) {
    }
    try {
        (void)Equals(value, orlivane::SettingValue::Integer(0));
    } catch (const orlivane::Error&) {
    }
    return 0;
}
