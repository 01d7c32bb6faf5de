#include "connection_script.h"

#include <array>

#include "application_code.h"

namespace orlivane {
namespace {

constexpr std::array<std::wstring_view, 23> kBeforeAddress = {
    L"screen mode id:i:1",
    L"use multimon:i:1",
    L"desktopwidth:i:3440",
    L"desktopheight:i:1440",
    L"session bpp:i:32",
    L"winposstr:s:0,1,202,64,3032,1303",
    L"compression:i:1",
    L"keyboardhook:i:2",
    L"audiocapturemode:i:0",
    L"videoplaybackmode:i:1",
    L"connection type:i:7",
    L"networkautodetect:i:1",
    L"bandwidthautodetect:i:1",
    L"displayconnectionbar:i:1",
    L"enableworkspacereconnect:i:0",
    L"disable wallpaper:i:0",
    L"allow font smoothing:i:0",
    L"allow desktop composition:i:0",
    L"disable full window drag:i:1",
    L"disable menu anims:i:1",
    L"disable themes:i:0",
    L"disable cursor setting:i:0",
    L"bitmapcachepersistenable:i:1",
};

constexpr std::array<std::wstring_view, 27> kBeforeProgram = {
    L"audiomode:i:0",
    L"redirectprinters:i:1",
    L"redirectcomports:i:0",
    L"redirectsmartcards:i:1",
    L"redirectclipboard:i:1",
    L"redirectposdevices:i:0",
    L"autoreconnection enabled:i:1",
    L"authentication level:i:2",
    L"prompt for credentials:i:0",
    L"negotiate security layer:i:1",
    L"alternate shell:s:",
    L"shell working directory:s:",
    L"gatewayhostname:s:",
    L"gatewayusagemethod:i:4",
    L"gatewaycredentialssource:i:4",
    L"gatewayprofileusagemethod:i:0",
    L"promptcredentialonce:i:0",
    L"gatewaybrokeringtype:i:0",
    L"use redirection server name:i:0",
    L"rdgiskdcproxy:i:0",
    L"kdcproxyname:s:",
    L"drivestoredirect:s:",
    L"redirectlocation:i:0",
    L"redirectwebauthn:i:1",
    L"enablerdsaadauth:i:0",
    L"remoteapplicationmode:i:1",
    L"remoteapplicationname:s:",
};

constexpr std::array<std::wstring_view, 3> kClosing = {
    L"remoteapplicationcmdline:s:",
    L"remoteapplicationicon:s:",
    L"drivestoredirect:s:*",
};

struct ProgramPaths {
    std::wstring_view bits32;
    std::wstring_view bits64;
};

// Indexed by application code; paths are on the remote server.
constexpr std::array<ProgramPaths, 8> kPrograms = {{
    {},
    {L"remoteapplicationprogram:s:C:\\TRESSIK_CLIENT\\Tressik.exe",
     L"remoteapplicationprogram:s:C:\\TRESSIK_CLIENT\\Tressik.exe"},
    {L"remoteapplicationprogram:s:C:\\Program Files (x86)\\Microsoft "
     L"Office\\root\\Office16\\OUTLOOK.EXE",
     L"remoteapplicationprogram:s:C:\\Program Files\\Microsoft "
     L"Office\\root\\Office16\\OUTLOOK.EXE"},
    {L"remoteapplicationprogram:s:C:\\Program Files (x86)\\Microsoft "
     L"Office\\root\\Office16\\WINWORD.EXE",
     L"remoteapplicationprogram:s:C:\\Program Files\\Microsoft "
     L"Office\\root\\Office16\\WINWORD.EXE"},
    {L"remoteapplicationprogram:s:C:\\Program Files (x86)\\Microsoft "
     L"Office\\root\\Office16\\EXCEL.EXE",
     L"remoteapplicationprogram:s:C:\\Program Files\\Microsoft Office\\root\\Office16\\EXCEL.EXE"},
    {L"remoteapplicationprogram:s:C:\\Program Files\\Google\\Chrome\\Application\\chrome.exe",
     L"remoteapplicationprogram:s:C:\\Program Files\\Google\\Chrome\\Application\\chrome.exe"},
    {L"remoteapplicationprogram:s:C:\\Windows\\Explorer.exe",
     L"remoteapplicationprogram:s:C:\\Windows\\Explorer.exe"},
    {L"remoteapplicationprogram:s:C:\\Windows\\System32\\Logoff.exe",
     L"remoteapplicationprogram:s:C:\\Windows\\System32\\Logoff.exe"},
}};

}  // namespace

std::span<const std::wstring_view> ScriptLinesBeforeAddress() { return kBeforeAddress; }

std::wstring FullAddressLine(std::wstring_view server, std::wstring_view domain_suffix) {
    std::wstring line = L"full address:s:";
    line += server;
    line += domain_suffix;
    return line;
}

std::span<const std::wstring_view> ScriptLinesBeforeProgram() { return kBeforeProgram; }

bool ProgramDependsOnBitness(int code) {
    return code == scrOutlook || code == scrWord || code == scrExcel;
}

std::optional<std::wstring_view> RemoteProgramLine(int code, OfficeBitness bitness) {
    if (code < scrTressik || code > scrLogoff) return std::nullopt;
    const ProgramPaths& paths = kPrograms[static_cast<std::size_t>(code)];
    return bitness == OfficeBitness::Bits32 ? paths.bits32 : paths.bits64;
}

std::span<const std::wstring_view> ScriptClosingLines() { return kClosing; }

}  // namespace orlivane
