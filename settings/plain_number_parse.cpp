#include "plain_number_parse.h"

#include <cstdlib>
#include <string>

namespace orlivane {
namespace {

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

int HexDigit(wchar_t c) {
    if (IsDigit(c)) return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

bool EqualsIgnoringAsciiCase(std::wstring_view text, std::wstring_view lower) {
    if (text.size() != lower.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        wchar_t c = text[i];
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
        if (c != lower[i]) return false;
    }
    return true;
}

}  // namespace

std::optional<std::int32_t> ParsePlainInteger(std::wstring_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == L' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) {
        negative = text[i] == L'-';
        ++i;
    }
    bool hex = false;
    if (i < text.size() && (text[i] == L'$' || text[i] == L'x' || text[i] == L'X')) {
        hex = true;
        ++i;
    } else if (i + 1 < text.size() && text[i] == L'0' &&
               (text[i + 1] == L'x' || text[i + 1] == L'X')) {
        hex = true;
        i += 2;
    }
    if (i == text.size()) return std::nullopt;  // no digits at all

    std::uint64_t magnitude = 0;
    const std::uint64_t limit = hex ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
    for (; i < text.size(); ++i) {
        const int digit = hex ? HexDigit(text[i]) : (IsDigit(text[i]) ? text[i] - L'0' : -1);
        if (digit < 0) return std::nullopt;
        magnitude = magnitude * (hex ? 16u : 10u) + static_cast<std::uint64_t>(digit);
        if (magnitude > limit) return std::nullopt;
    }
    // Two's complement wrap for hexadecimal, as a 32-bit register holds it.
    std::uint32_t bits = static_cast<std::uint32_t>(magnitude);
    if (negative) bits = 0u - bits;
    return static_cast<std::int32_t>(bits);
}

std::optional<double> ParsePlainDecimal(std::wstring_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && text[begin] == L' ') ++begin;
    while (end > begin && text[end - 1] == L' ') --end;

    // Validate the syntax by hand so that strtod sees only a plain ASCII number.
    std::string ascii;
    std::size_t i = begin;
    if (i < end && (text[i] == L'+' || text[i] == L'-')) ascii += static_cast<char>(text[i++]);
    std::size_t digits = 0;
    while (i < end && IsDigit(text[i])) {
        ascii += static_cast<char>(text[i++]);
        ++digits;
    }
    if (i < end && text[i] == L'.') {
        ascii += '.';
        ++i;
        while (i < end && IsDigit(text[i])) {
            ascii += static_cast<char>(text[i++]);
            ++digits;
        }
    }
    if (digits == 0) return std::nullopt;
    if (i < end && (text[i] == L'e' || text[i] == L'E')) {
        ascii += 'e';
        ++i;
        if (i < end && (text[i] == L'+' || text[i] == L'-')) ascii += static_cast<char>(text[i++]);
        std::size_t exponent_digits = 0;
        while (i < end && IsDigit(text[i])) {
            ascii += static_cast<char>(text[i++]);
            ++exponent_digits;
        }
        if (exponent_digits == 0) return std::nullopt;
    }
    if (i != end) return std::nullopt;
    return std::strtod(ascii.c_str(), nullptr);
}

std::optional<std::int32_t> ParseTruthValue(std::wstring_view text) {
    if (const auto number = ParsePlainDecimal(text)) return *number != 0.0 ? 1 : 0;
    if (EqualsIgnoringAsciiCase(text, L"true")) return 1;
    if (EqualsIgnoringAsciiCase(text, L"false")) return 0;
    return std::nullopt;
}

}  // namespace orlivane
