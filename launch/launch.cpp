#include "launch.h"

#include "connection_script.h"
#include "error.h"
#include "hosting_domain.h"
#include "registry_store.h"
#include "script_file.h"
#include "setting_names.h"
#include "system_library.h"

namespace orlivane {
namespace {

std::wstring EnvironmentVariable(const wchar_t* name) {
    std::wstring value(256, L'\0');
    for (;;) {
        const DWORD needed =
            GetEnvironmentVariableW(name, value.data(), static_cast<DWORD>(value.size()));
        if (needed == 0) return {};  // unset or empty
        if (needed < value.size()) {
            value.resize(needed);
            return value;
        }
        value.assign(needed, L'\0');  // too small: `needed` counts the terminator
    }
}

std::wstring UserTempFolder() {
    wchar_t folder[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
    if (length == 0 || length > MAX_PATH) throw Error(L"No temporary folder");
    std::wstring path(folder, length);
    if (!path.empty() && path.back() == L'\\') path.pop_back();
    return path;
}

OfficeBitness StoredBitness() {
    const SettingValue stored = GetRegistry(kSectionOrlivane, kKeyBitness, SettingValue::Byte(0));
    return Equals(stored, SettingValue::Integer(0)) ? OfficeBitness::Bits32 : OfficeBitness::Bits64;
}

}  // namespace

std::wstring ScriptPath() {
    std::wstring folder = EnvironmentVariable(L"temp");
    if (folder.empty()) folder = UserTempFolder();
    return folder + L"\\orlivane.rdp";
}

void WriteConnectionScript(int code) {
    const std::wstring script = ScriptPath();
    ScriptFile scripthandle(script);
    for (const auto line : ScriptLinesBeforeAddress()) scripthandle.WriteLine(line);

    const SettingValue server = GetRegistry(kSectionOrlivane, kKeyServer, SettingValue());
    scripthandle.WriteLine(FullAddressLine(server.ToText(), kHostingDomainSuffix));

    for (const auto line : ScriptLinesBeforeProgram()) scripthandle.WriteLine(line);

    const OfficeBitness bitness =
        ProgramDependsOnBitness(code) ? StoredBitness() : OfficeBitness::Bits32;
    if (const auto program = RemoteProgramLine(code, bitness)) scripthandle.WriteLine(*program);

    for (const auto line : ScriptClosingLines()) scripthandle.WriteLine(line);
    scripthandle.Close();
}

void CreateScriptAndLaunch(int code, HWND owner) {
    try {
        WriteConnectionScript(code);
        const std::wstring script = ScriptPath();
        using ShellExecuteFunction =
            HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
        static const auto shell_execute =
            SystemFunctionAs<ShellExecuteFunction>(L"shell32.dll", "ShellExecuteW");
        if (!shell_execute) return;
        EnsureComApartment();
        shell_execute(owner, L"open", script.c_str(), nullptr, nullptr, SW_SHOW);
    } catch (...) {
        // A launch that cannot be prepared simply does not happen.
    }
}

}  // namespace orlivane
