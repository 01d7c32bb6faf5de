#include "connection_script.h"

#include <gtest/gtest.h>

#include "application_code.h"

namespace orlivane {
namespace {

TEST(ConnectionScript, BlocksHaveTheirLengthsAndBoundaries) {
    ASSERT_EQ(ScriptLinesBeforeAddress().size(), 23u);
    EXPECT_EQ(ScriptLinesBeforeAddress().front(), L"screen mode id:i:1");
    EXPECT_EQ(ScriptLinesBeforeAddress().back(), L"bitmapcachepersistenable:i:1");
    ASSERT_EQ(ScriptLinesBeforeProgram().size(), 27u);
    EXPECT_EQ(ScriptLinesBeforeProgram().front(), L"audiomode:i:0");
    EXPECT_EQ(ScriptLinesBeforeProgram()[21], L"drivestoredirect:s:");
    EXPECT_EQ(ScriptLinesBeforeProgram().back(), L"remoteapplicationname:s:");
    ASSERT_EQ(ScriptClosingLines().size(), 3u);
    EXPECT_EQ(ScriptClosingLines().back(), L"drivestoredirect:s:*");
}

TEST(ConnectionScript, FullAddressJoinsNameAndSuffixAsStored) {
    EXPECT_EQ(FullAddressLine(L"acme01", L".example.com"), L"full address:s:acme01.example.com");
    EXPECT_EQ(FullAddressLine(L"", L".example.com"), L"full address:s:.example.com");
    EXPECT_EQ(FullAddressLine(L" Acme ", L".x"), L"full address:s: Acme .x");
}

TEST(ConnectionScript, ProgramLineByCodeAndBitness) {
    const std::wstring prefix = L"remoteapplicationprogram:s:";
    const std::wstring office32 = L"C:\\Program Files (x86)\\Microsoft Office\\root\\Office16\\";
    const std::wstring office64 = L"C:\\Program Files\\Microsoft Office\\root\\Office16\\";
    const struct {
        int code;
        std::wstring bits32;
        std::wstring bits64;
    } cases[] = {
        {scrTressik, L"C:\\TRESSIK_CLIENT\\Tressik.exe", L"C:\\TRESSIK_CLIENT\\Tressik.exe"},
        {scrOutlook, office32 + L"OUTLOOK.EXE", office64 + L"OUTLOOK.EXE"},
        {scrWord, office32 + L"WINWORD.EXE", office64 + L"WINWORD.EXE"},
        {scrExcel, office32 + L"EXCEL.EXE", office64 + L"EXCEL.EXE"},
        {scrChrome, L"C:\\Program Files\\Google\\Chrome\\Application\\chrome.exe",
         L"C:\\Program Files\\Google\\Chrome\\Application\\chrome.exe"},
        {scrExplorer, L"C:\\Windows\\Explorer.exe", L"C:\\Windows\\Explorer.exe"},
        {scrLogoff, L"C:\\Windows\\System32\\Logoff.exe", L"C:\\Windows\\System32\\Logoff.exe"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RemoteProgramLine(c.code, OfficeBitness::Bits32), prefix + c.bits32) << c.code;
        EXPECT_EQ(RemoteProgramLine(c.code, OfficeBitness::Bits64), prefix + c.bits64) << c.code;
        EXPECT_EQ(ProgramDependsOnBitness(c.code), c.bits32 != c.bits64) << c.code;
    }
    for (int unknown : {0, 8, -1, 1000}) {
        EXPECT_FALSE(RemoteProgramLine(unknown, OfficeBitness::Bits32).has_value()) << unknown;
        EXPECT_FALSE(ProgramDependsOnBitness(unknown)) << unknown;
    }
}

}  // namespace
}  // namespace orlivane
