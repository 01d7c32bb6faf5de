// The settings store against the real registry of the test prefix.
#include <gtest/gtest.h>

#include "error.h"
#include "registry_store.h"
#include "test_support.h"

namespace orlivane {
namespace {

using testkit::ReadRawValue;
using testkit::RegSzBytes;

class SettingsStore : public ::testing::Test {
  protected:
    void SetUp() override { testkit::ClearStoredSettings(); }
    void TearDown() override { testkit::ClearStoredSettings(); }

    static void ExpectStoredText(const std::wstring& section, const std::wstring& name,
                                 const std::wstring& text) {
        const auto raw = ReadRawValue(section, name);
        ASSERT_TRUE(raw.has_value()) << "missing " << ::testing::PrintToString(name);
        EXPECT_EQ(raw->type, static_cast<DWORD>(REG_SZ));
        EXPECT_EQ(raw->data, RegSzBytes(text));  // terminator counted: (length + 1) * 2 bytes
    }
};

TEST_F(SettingsStore, FirstReadCreatesSectionAndStoresDefault) {
    ASSERT_FALSE(testkit::SectionExists(L"Display"));
    EXPECT_EQ(GetRegistry(L"Display", L"Font Name", SettingValue::Text(L"Tahoma")),
              SettingValue::Text(L"Tahoma"));
    ExpectStoredText(L"Display", L"Font Name", L"Tahoma");

    // Section present, value absent: stored and returned; afterwards it reads as text.
    EXPECT_EQ(GetRegistry(L"Display", L"Font Size", SettingValue::Integer(9)),
              SettingValue::Integer(9));
    ExpectStoredText(L"Display", L"Font Size", L"9");
    EXPECT_EQ(GetRegistry(L"Display", L"Font Size", SettingValue::Integer(12)),
              SettingValue::Text(L"9"));
}

TEST_F(SettingsStore, DefaultKeepsItsTypeOnlyWhenItWasUsed) {
    EXPECT_EQ(GetRegistry(L"Orlivane", L"Bitness", SettingValue::Byte(0)), SettingValue::Byte(0));
    ExpectStoredText(L"Orlivane", L"Bitness", L"0");
    EXPECT_EQ(GetRegistry(L"Orlivane", L"Bitness", SettingValue::Byte(0)),
              SettingValue::Text(L"0"));
    EXPECT_EQ(GetRegistry(L"Orlivane", L"Server", SettingValue()), SettingValue::Text(L""));
    ExpectStoredText(L"Orlivane", L"Server", L"");  // an empty text is 2 bytes
}

TEST_F(SettingsStore, StoredTextIsReturnedAsItStands) {
    const struct {
        const wchar_t* name;
        DWORD type;
        std::vector<BYTE> data;
        std::wstring expected;
    } cases[] = {
        {L"Empty", REG_SZ, RegSzBytes(L""), L""},
        {L"Blank", REG_SZ, RegSzBytes(L"  "), L"  "},
        {L"Expand", REG_EXPAND_SZ, RegSzBytes(L"%TEMP%\\x"), L"%TEMP%\\x"},
        {L"NoTerminator", REG_SZ, {'a', 0, 'b', 0, 'c', 0}, L"abc"},
        {L"OddLength", REG_SZ, {'a', 0, 'b', 0, 'c'}, L"ab"},
        {L"EmbeddedNul", REG_SZ, {'a', 0, 0, 0, 'b', 0, 0, 0}, L"a"},
        {L"NoDataBinary", REG_BINARY, {}, L""},
        {L"NoDataDword", REG_DWORD, {}, L""},
    };
    for (const auto& c : cases) {
        testkit::WriteRawValue(L"Orlivane", c.name, c.type, c.data.data(),
                               static_cast<DWORD>(c.data.size()));
        EXPECT_EQ(GetRegistry(L"Orlivane", c.name, SettingValue::Text(L"default")),
                  SettingValue::Text(c.expected))
            << ::testing::PrintToString(c.name);
        // A present value is never rewritten by a read.
        const auto raw = ReadRawValue(L"Orlivane", c.name);
        ASSERT_TRUE(raw.has_value());
        EXPECT_EQ(raw->type, c.type);
        EXPECT_EQ(raw->data, c.data);
    }
}

TEST_F(SettingsStore, VeryLargeValueIsReadWhole) {
    std::wstring large(300000, L'x');
    large[0] = L'A';
    large.back() = L'Z';
    testkit::WriteStringValue(L"Orlivane", L"Server", large);
    EXPECT_EQ(GetRegistry(L"Orlivane", L"Server", SettingValue()), SettingValue::Text(large));
}

TEST_F(SettingsStore, NonStringValuesYieldTheDefaultAndStayAsTheyAre) {
    testkit::WriteDwordValue(L"Orlivane", L"Server", 7);
    const BYTE binary[] = {'h', 0, 'i', 0, 0, 0};
    testkit::WriteRawValue(L"Orlivane", L"Bitness", REG_BINARY, binary, sizeof binary);
    for (int call = 0; call < 2; ++call) {
        EXPECT_EQ(GetRegistry(L"Orlivane", L"Server", SettingValue()), SettingValue());
        EXPECT_EQ(GetRegistry(L"Orlivane", L"Bitness", SettingValue::Byte(0)),
                  SettingValue::Byte(0));
    }
    EXPECT_EQ(ReadRawValue(L"Orlivane", L"Server")->type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(ReadRawValue(L"Orlivane", L"Bitness")->type, static_cast<DWORD>(REG_BINARY));
}

TEST_F(SettingsStore, SetStoresTextReplacingAnyType) {
    SetRegistry(L"Orlivane", L"Bitness", SettingValue::Integer(1));
    ExpectStoredText(L"Orlivane", L"Bitness", L"1");
    SetRegistry(L"Orlivane", L"Bitness", SettingValue::Integer(-1));
    ExpectStoredText(L"Orlivane", L"Bitness", L"-1");
    testkit::WriteDwordValue(L"Orlivane", L"Server", 1);
    SetRegistry(L"Orlivane", L"Server", SettingValue::Text(L"acme 01"));
    ExpectStoredText(L"Orlivane", L"Server", L"acme 01");
}

TEST_F(SettingsStore, FailedWriteRaisesTheValueName) {
    // A key name longer than the registry allows cannot be created.
    const std::wstring unusable(300, L's');
    for (bool through_get : {false, true}) {
        try {
            if (through_get)
                (void)GetRegistry(unusable, L"Server", SettingValue());
            else
                SetRegistry(unusable, L"Bitness", SettingValue::Integer(1));
            ADD_FAILURE() << "no error raised";
        } catch (const Error& error) {
            EXPECT_EQ(error.message(), through_get ? L"Failed to set data for 'Server'"
                                                   : L"Failed to set data for 'Bitness'");
        }
    }
}

}  // namespace
}  // namespace orlivane
