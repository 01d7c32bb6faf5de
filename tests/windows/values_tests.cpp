// Setting value conversions through the real OLE Automation functions, user default locale.
#include <windows.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include "error.h"
#include "setting_value.h"

namespace orlivane {
namespace {

std::wstring ConversionError(const std::wstring& text) {
    try {
        (void)SettingValue::Text(text).ToInteger();
    } catch (const Error& error) {
        return error.message();
    }
    return L"(converted)";
}

TEST(LocaleConversion, IntegerReadingsInOrder) {
    const struct {
        const wchar_t* text;
        std::int32_t expected;
    } cases[] = {
        {L"12", 12},  {L" 12 ", 12}, {L"-1", -1},  {L"1,5", 15},  // en-US thousands separator
        {L"$1F", 31}, {L"0x10", 16}, {L"x10", 16}, {L"True", 1}, {L"FALSE", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SettingValue::Text(c.text).ToInteger(), c.expected) << c.text;
}

TEST(LocaleConversion, IntegerFailuresAndOverflow) {
    const std::wstring could_not =
        L"Could not convert variant of type (UnicodeString) into type (Integer)";
    for (const wchar_t* text : {L"", L"abc", L"12px", L"- 1x"})
        EXPECT_EQ(ConversionError(text), could_not) << text;
    EXPECT_EQ(ConversionError(L"2147483648"),
              L"Overflow while converting variant of type (UnicodeString) into type (Integer)");
}

TEST(LocaleConversion, PlainDigitsReadAsTheLocaleConversionReadsThem) {
    // Plain digits skip the locale-aware conversion; the result must be the same.
    for (const wchar_t* digits :
         {L"0", L"1", L"00", L"007", L"9", L"12", L"999999999", L"123456789"}) {
        LONG integer = -1;
        DOUBLE real = -1;
        ASSERT_EQ(VarI4FromStr(const_cast<OLECHAR*>(digits), LOCALE_USER_DEFAULT, 0, &integer),
                  S_OK);
        ASSERT_EQ(VarR8FromStr(const_cast<OLECHAR*>(digits), LOCALE_USER_DEFAULT, 0, &real), S_OK);
        EXPECT_EQ(SettingValue::Text(digits).ToInteger(), integer) << digits;
        EXPECT_EQ(SettingValue::Text(digits).ToDouble(), real) << digits;
    }
}

TEST(LocaleConversion, TextAgainstNumberUsesTheNumericValue) {
    for (const wchar_t* zero : {L"0", L"00", L" 0", L"0.0", L"-0"})
        EXPECT_TRUE(Equals(SettingValue::Text(zero), SettingValue::Integer(0))) << zero;
    for (const wchar_t* other : {L"1", L"-1", L"5"})
        EXPECT_FALSE(Equals(SettingValue::Text(other), SettingValue::Integer(0))) << other;
    for (const wchar_t* not_a_number : {L"", L"abc"})
        EXPECT_THROW((void)Equals(SettingValue::Text(not_a_number), SettingValue::Integer(0)),
                     Error)
            << not_a_number;
}

}  // namespace
}  // namespace orlivane
