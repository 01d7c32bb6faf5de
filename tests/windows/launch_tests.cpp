// Launching through the real file system and the real shell: the test prefix associates
// .rdp files with a handler that keeps a copy of every file handed to it.
#include <gtest/gtest.h>

#include <string>

#include "launch.h"
#include "test_support.h"

namespace orlivane {
namespace {

// The connection file as a customer's client must receive it, written out in full.
constexpr char kHead[] =
    "screen mode id:i:1\r\nuse multimon:i:1\r\ndesktopwidth:i:3440\r\ndesktopheight:i:1440\r\n"
    "session bpp:i:32\r\nwinposstr:s:0,1,202,64,3032,1303\r\ncompression:i:1\r\n"
    "keyboardhook:i:2\r\naudiocapturemode:i:0\r\nvideoplaybackmode:i:1\r\n"
    "connection type:i:7\r\nnetworkautodetect:i:1\r\nbandwidthautodetect:i:1\r\n"
    "displayconnectionbar:i:1\r\nenableworkspacereconnect:i:0\r\ndisable wallpaper:i:0\r\n"
    "allow font smoothing:i:0\r\nallow desktop composition:i:0\r\n"
    "disable full window drag:i:1\r\ndisable menu anims:i:1\r\ndisable themes:i:0\r\n"
    "disable cursor setting:i:0\r\nbitmapcachepersistenable:i:1\r\n";
constexpr char kMiddle[] =
    "audiomode:i:0\r\nredirectprinters:i:1\r\nredirectcomports:i:0\r\nredirectsmartcards:i:1\r\n"
    "redirectclipboard:i:1\r\nredirectposdevices:i:0\r\nautoreconnection enabled:i:1\r\n"
    "authentication level:i:2\r\nprompt for credentials:i:0\r\nnegotiate security layer:i:1\r\n"
    "alternate shell:s:\r\nshell working directory:s:\r\ngatewayhostname:s:\r\n"
    "gatewayusagemethod:i:4\r\ngatewaycredentialssource:i:4\r\ngatewayprofileusagemethod:i:0\r\n"
    "promptcredentialonce:i:0\r\ngatewaybrokeringtype:i:0\r\nuse redirection server name:i:0\r\n"
    "rdgiskdcproxy:i:0\r\nkdcproxyname:s:\r\ndrivestoredirect:s:\r\nredirectlocation:i:0\r\n"
    "redirectwebauthn:i:1\r\nenablerdsaadauth:i:0\r\nremoteapplicationmode:i:1\r\n"
    "remoteapplicationname:s:\r\n";
constexpr char kTail[] =
    "remoteapplicationcmdline:s:\r\nremoteapplicationicon:s:\r\ndrivestoredirect:s:*\r\n";

std::string Narrow(const std::wstring& ascii) { return std::string(ascii.begin(), ascii.end()); }

std::string AddressLine(const std::string& server) {
    return "full address:s:" + server + Narrow(ORLIVANE_HOSTING_DOMAIN_FOR_TESTS) + "\r\n";
}

std::string ExpectedScript(const std::string& server, const std::string& program) {
    std::string script = kHead + AddressLine(server) + kMiddle;
    if (!program.empty()) script += "remoteapplicationprogram:s:" + program + "\r\n";
    return script + kTail;
}

std::string ProgramPath(int code, bool office64) {
    const std::string office = office64
                                   ? "C:\\Program Files\\Microsoft Office\\root\\Office16\\"
                                   : "C:\\Program Files (x86)\\Microsoft Office\\root\\Office16\\";
    switch (code) {
        case scrTressik:
            return "C:\\TRESSIK_CLIENT\\Tressik.exe";
        case scrOutlook:
            return office + "OUTLOOK.EXE";
        case scrWord:
            return office + "WINWORD.EXE";
        case scrExcel:
            return office + "EXCEL.EXE";
        case scrChrome:
            return "C:\\Program Files\\Google\\Chrome\\Application\\chrome.exe";
        case scrExplorer:
            return "C:\\Windows\\Explorer.exe";
        case scrLogoff:
            return "C:\\Windows\\System32\\Logoff.exe";
        default:
            return "";
    }
}

class Launch : public ::testing::Test {
  protected:
    void SetUp() override {
        testkit::ClearStoredSettings();
        testkit::ClearCaptures();
        script_path_ = temp_.path() + L"\\orlivane.rdp";
    }
    void TearDown() override { testkit::ClearStoredSettings(); }

    // Launches and returns the one file the shell handed over.
    std::string LaunchAndCapture(int code) {
        testkit::ClearCaptures();
        CreateScriptAndLaunch(code, nullptr);
        const auto captures = testkit::WaitForCaptures(1);
        EXPECT_EQ(captures.size(), 1u) << "code " << code;
        if (captures.empty()) return {};
        EXPECT_EQ(captures[0].handed_path, script_path_);
        return captures[0].bytes;
    }

    testkit::ScratchFolder temp_;
    testkit::ScopedEnvironmentVariable temp_variable_{L"temp", temp_.path()};
    std::wstring script_path_;
};

TEST_F(Launch, HandsOverTheExactFileForEveryCodeAndStoredBitness) {
    testkit::WriteStringValue(L"Orlivane", L"Server", L"acme01");
    const struct {
        const char* label;
        std::optional<std::wstring> text;  // nullopt: no value stored
        bool dword = false;
        bool office64 = false;
    } bitness_cases[] = {
        {"missing", std::nullopt},
        {"\"0\"", L"0"},
        {"\"1\"", L"1", false, true},
        {"\" 0\"", L" 0"},
        {"\"00\"", L"00"},
        {"\"-1\"", L"-1", false, true},
        {"REG_DWORD 1", std::nullopt, true},
    };
    for (const auto& bitness : bitness_cases) {
        for (int code = scrTressik; code <= scrLogoff; ++code) {
            HKEY key = nullptr;
            RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\TressikSettings\\Orlivane", 0, KEY_WRITE,
                          &key);
            RegDeleteValueW(key, L"Bitness");
            RegCloseKey(key);
            if (bitness.text) testkit::WriteStringValue(L"Orlivane", L"Bitness", *bitness.text);
            if (bitness.dword) testkit::WriteDwordValue(L"Orlivane", L"Bitness", 1);

            EXPECT_EQ(LaunchAndCapture(code),
                      ExpectedScript("acme01", ProgramPath(code, bitness.office64)))
                << "code " << code << ", bitness " << bitness.label;
            // Only Outlook, Word and Excel read (and so create) the bitness.
            if (!bitness.text && !bitness.dword) {
                EXPECT_EQ(testkit::ReadRawValue(L"Orlivane", L"Bitness").has_value(),
                          code >= scrOutlook && code <= scrExcel)
                    << "code " << code;
            }
        }
    }
    EXPECT_EQ(testkit::ReadRawValue(L"Orlivane", L"Bitness")->type, static_cast<DWORD>(REG_DWORD));
}

TEST_F(Launch, UnknownCodeLeavesOutTheProgramLine) {
    testkit::WriteStringValue(L"Orlivane", L"Server", L"acme01");
    for (int code : {0, 8}) {
        const std::string script = LaunchAndCapture(code);
        EXPECT_EQ(script, ExpectedScript("acme01", ""));
        EXPECT_EQ(std::count(script.begin(), script.end(), '\n'), 54);
    }
    EXPECT_FALSE(testkit::ReadRawValue(L"Orlivane", L"Bitness").has_value());
}

TEST_F(Launch, WithoutStoredServerTheAddressIsTheDomainAlone) {
    EXPECT_EQ(LaunchAndCapture(scrTressik), ExpectedScript("", ProgramPath(scrTressik, false)));
    const auto server = testkit::ReadRawValue(L"Orlivane", L"Server");
    ASSERT_TRUE(server.has_value());
    EXPECT_EQ(server->data, testkit::RegSzBytes(L""));
}

TEST_F(Launch, ServerTextIsUsedAsStoredAndConvertedToTheAnsiCodePage) {
    ASSERT_EQ(GetACP(), 1252u) << "the expected bytes below are Windows-1252";
    testkit::WriteStringValue(L"Orlivane", L"Server", L" Caf\u00e9\u20ac\u4e2d ");
    EXPECT_EQ(LaunchAndCapture(scrChrome),
              ExpectedScript(" Caf\xe9\x80? ", ProgramPath(scrChrome, false)));
}

TEST_F(Launch, BitnessThatIsNoNumberStopsOnlyTheOfficePrograms) {
    testkit::WriteStringValue(L"Orlivane", L"Server", L"acme01");
    for (const wchar_t* bad : {L"", L"abc"}) {
        testkit::WriteStringValue(L"Orlivane", L"Bitness", bad);
        testkit::ClearCaptures();
        for (int code : {scrOutlook, scrWord, scrExcel}) {
            CreateScriptAndLaunch(code, nullptr);
            // The lines before the failure stay in the file; it is closed, not handed over.
            EXPECT_EQ(testkit::ReadFileBytes(script_path_),
                      std::string(kHead) + AddressLine("acme01") + kMiddle);
        }
        EXPECT_TRUE(testkit::CapturesAfterQuietPeriod(500).empty());
        for (int code : {scrTressik, scrChrome, scrExplorer, scrLogoff})
            EXPECT_EQ(LaunchAndCapture(code), ExpectedScript("acme01", ProgramPath(code, false)));
    }
}

TEST_F(Launch, LineBreakInServerNameHandsOverNothing) {
    for (const wchar_t* server : {L"acme01\r\ndrivestoredirect:s:*",
                                  L"acme01\nalternate full address:s:evil", L"acme\r01"}) {
        testkit::WriteStringValue(L"Orlivane", L"Server", server);
        CreateScriptAndLaunch(scrWord, nullptr);
        EXPECT_EQ(testkit::ReadFileBytes(script_path_), std::string(kHead));
    }
    EXPECT_TRUE(testkit::CapturesAfterQuietPeriod().empty());
}

TEST_F(Launch, FailuresToWriteTheFileHandOverNothing) {
    testkit::WriteStringValue(L"Orlivane", L"Server", L"acme01");
    const std::wstring a_file = temp_.path() + L"\\plain-file";
    testkit::WriteFileBytes(a_file, "x");
    const std::wstring unusable_temps[] = {
        temp_.path() + L"\\no-such-folder",
        a_file + L"\\below-a-file",
        L"C:\\" + std::wstring(32000, L'a'),
    };
    for (const auto& temp : unusable_temps) {
        testkit::ScopedEnvironmentVariable unusable(L"temp", temp);
        CreateScriptAndLaunch(scrTressik, nullptr);
    }

    // A file held open without sharing cannot be replaced; it keeps its contents.
    testkit::WriteFileBytes(script_path_, "held");
    HANDLE held = CreateFileW(script_path_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    CreateScriptAndLaunch(scrTressik, nullptr);
    CloseHandle(held);
    EXPECT_EQ(testkit::ReadFileBytes(script_path_), std::string("held"));

    EXPECT_TRUE(testkit::CapturesAfterQuietPeriod().empty());
}

TEST_F(Launch, TempPathIsReadInFullAndUnsetTempUsesTheUserTempFolder) {
    testkit::WriteStringValue(L"Orlivane", L"Server", L"acme01");
    // Longer than a first guess at the buffer, but the same folder.
    std::wstring long_temp = temp_.path();
    for (int i = 0; i < 100; ++i) long_temp += L"\\.";
    {
        testkit::ScopedEnvironmentVariable variable(L"TEMP", long_temp);  // any case
        EXPECT_EQ(ScriptPath(), long_temp + L"\\orlivane.rdp");
        testkit::ClearCaptures();
        CreateScriptAndLaunch(scrTressik, nullptr);
        const auto captures = testkit::WaitForCaptures(1);
        ASSERT_EQ(captures.size(), 1u);
        EXPECT_EQ(captures[0].bytes, ExpectedScript("acme01", ProgramPath(scrTressik, false)));
    }
    for (const std::optional<std::wstring>& unset :
         {std::optional<std::wstring>(), std::optional<std::wstring>(L"")}) {
        testkit::ScopedEnvironmentVariable variable(L"temp", unset);
        wchar_t folder[MAX_PATH + 1];
        const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
        ASSERT_GT(length, 1u);
        const std::wstring expected = std::wstring(folder, length - 1) + L"\\orlivane.rdp";
        EXPECT_EQ(ScriptPath(), expected);
        EXPECT_NE(expected.rfind(L"\\orlivane.rdp"), 2u) << "not at a drive root";
        testkit::ClearCaptures();
        CreateScriptAndLaunch(scrTressik, nullptr);
        const auto captures = testkit::WaitForCaptures(1);
        ASSERT_EQ(captures.size(), 1u);
        EXPECT_EQ(captures[0].handed_path, expected);
    }
}

}  // namespace
}  // namespace orlivane
