// The lines of the Remote Desktop connection file, in the order they are written.
// A launch writes them in blocks, reading the server name and the Office bitness in
// between, so that a failure leaves exactly the lines written before it.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace orlivane {

enum class OfficeBitness { Bits32, Bits64 };

// Lines 1-23: display and session settings.
std::span<const std::wstring_view> ScriptLinesBeforeAddress();

// Line 24: the server's host name, the stored name followed by the hosting domain.
std::wstring FullAddressLine(std::wstring_view server, std::wstring_view domain_suffix);

// Lines 25-51: redirection, security, gateway and RemoteApp settings.
std::span<const std::wstring_view> ScriptLinesBeforeProgram();

// Whether the program's path depends on the Office bitness (Outlook, Word, Excel).
bool ProgramDependsOnBitness(int code);

// Line 52: the remote program for `code`, or nothing for an unknown code.
std::optional<std::wstring_view> RemoteProgramLine(int code, OfficeBitness bitness);

// Lines 53-55.
std::span<const std::wstring_view> ScriptClosingLines();

inline constexpr std::string_view kLineEnd = "\r\n";

}  // namespace orlivane
