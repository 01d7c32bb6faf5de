#include "setting_value.h"

#include <gtest/gtest.h>

#include "error.h"

namespace orlivane {
namespace {

std::wstring MessageOf(const auto& action) {
    try {
        action();
    } catch (const Error& error) {
        return error.message();
    }
    return L"(no error)";
}

TEST(SettingValue, TextForms) {
    EXPECT_EQ(SettingValue::Byte(0).ToText(), L"0");
    EXPECT_EQ(SettingValue::Byte(255).ToText(), L"255");
    EXPECT_EQ(SettingValue::Integer(-1).ToText(), L"-1");
    EXPECT_EQ(SettingValue::Integer(INT32_MIN).ToText(), L"-2147483648");
    EXPECT_EQ(SettingValue::Text(L" a\tb ").ToText(), L" a\tb ");
    EXPECT_EQ(SettingValue().ToText(), L"");
}

TEST(SettingValue, IntegerConversionChain) {
    const struct {
        const wchar_t* text;
        std::int32_t expected;
    } cases[] = {
        {L"12", 12}, {L" -3 ", -3}, {L"$FF", 255}, {L"0x10", 16},
        {L"x7", 7},  {L"True", 1},  {L"false", 0}, {L"0.0", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SettingValue::Text(c.text).ToInteger(), c.expected) << c.text;
    EXPECT_EQ(SettingValue::Byte(7).ToInteger(), 7);
    EXPECT_EQ(SettingValue::Integer(-9).ToInteger(), -9);
}

TEST(SettingValue, IntegerConversionFailuresCarryTheirMessages) {
    for (const wchar_t* text : {L"", L"abc", L"12abc", L"1 2"}) {
        EXPECT_EQ(MessageOf([&] { (void)SettingValue::Text(text).ToInteger(); }),
                  L"Could not convert variant of type (UnicodeString) into type (Integer)")
            << text;
    }
    EXPECT_EQ(MessageOf([] { (void)SettingValue::Text(L"99999999999").ToInteger(); }),
              L"Overflow while converting variant of type (UnicodeString) into type (Integer)");
}

TEST(SettingValue, EqualityRules) {
    EXPECT_TRUE(Equals(SettingValue::Text(L""), SettingValue()));
    EXPECT_FALSE(Equals(SettingValue::Text(L" "), SettingValue()));
    EXPECT_FALSE(Equals(SettingValue::Text(L"Abc"), SettingValue::Text(L"abc")));
    // Text against a number compares the text's numeric value.
    for (const wchar_t* zero : {L"0", L"00", L" 0", L"0.0"})
        EXPECT_TRUE(Equals(SettingValue::Text(zero), SettingValue::Integer(0))) << zero;
    for (const wchar_t* other : {L"1", L"-1", L"0.5"})
        EXPECT_FALSE(Equals(SettingValue::Text(other), SettingValue::Integer(0))) << other;
    EXPECT_TRUE(Equals(SettingValue::Byte(0), SettingValue::Integer(0)));
    EXPECT_FALSE(Equals(SettingValue::Byte(1), SettingValue::Integer(0)));
    // A text that is no number cannot be compared with a number.
    for (const wchar_t* text : {L"", L"abc"})
        EXPECT_THROW((void)Equals(SettingValue::Text(text), SettingValue::Integer(0)), Error)
            << text;
}

}  // namespace
}  // namespace orlivane
