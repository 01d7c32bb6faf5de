#include "plain_number_parse.h"

#include <gtest/gtest.h>

#include <optional>

namespace orlivane {
namespace {

TEST(PlainInteger, ReadsDecimalAndHexadecimalForms) {
    const struct {
        const wchar_t* text;
        std::optional<std::int32_t> expected;
    } cases[] = {
        {L"0", 0},
        {L"  42", 42},
        {L"-17", -17},
        {L"+5", 5},
        {L"$1F", 31},
        {L"x10", 16},
        {L"0x10", 16},
        {L"-$10", -16},
        {L"$FFFFFFFF", -1},
        {L"2147483647", 2147483647},
        {L"-2147483648", INT32_MIN},
        {L"2147483648", std::nullopt},
        {L"$100000000", std::nullopt},
        {L"12 ", std::nullopt},  // nothing may follow
        {L"1.5", std::nullopt},
        {L"", std::nullopt},
        {L"-", std::nullopt},
        {L"$", std::nullopt},
        {L"0x", std::nullopt},
        {L"abc", std::nullopt},
        {L"\t1", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(ParsePlainInteger(c.text), c.expected) << c.text;
}

TEST(PlainDecimal, AllowsBlanksAroundAndRejectsOtherText) {
    const struct {
        const wchar_t* text;
        std::optional<double> expected;
    } cases[] = {
        {L"0", 0.0},
        {L" 0 ", 0.0},
        {L"00", 0.0},
        {L"-1", -1.0},
        {L"1.25", 1.25},
        {L".5", 0.5},
        {L"5.", 5.0},
        {L"1e3", 1000.0},
        {L"-2.5E-1", -0.25},
        {L"", std::nullopt},
        {L" ", std::nullopt},
        {L"abc", std::nullopt},
        {L"1,5", std::nullopt},
        {L"1e", std::nullopt},
        {L".", std::nullopt},
        {L"1 2", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(ParsePlainDecimal(c.text), c.expected) << c.text;
}

TEST(TruthValue, NumbersAndWordsInAnyCase) {
    const struct {
        const wchar_t* text;
        std::optional<std::int32_t> expected;
    } cases[] = {
        {L"TRUE", 1},
        {L"true", 1},
        {L"False", 0},
        {L"fALSE", 0},
        {L"0.0", 0},
        {L"2.5", 1},
        {L"-0.1", 1},
        {L" yes", std::nullopt},
        {L"True ", std::nullopt},
        {L"", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseTruthValue(c.text), c.expected) << c.text;
}

}  // namespace
}  // namespace orlivane
