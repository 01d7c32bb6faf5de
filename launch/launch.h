// Starting a remote program: write the connection file for an application code into the
// user's temporary folder and hand it to the shell, which opens it in the Remote Desktop
// client.
#pragma once

#include <windows.h>

#include <string>

#include "application_code.h"

namespace orlivane {

// The connection file's path: the "temp" environment variable, or the per-user temporary
// folder Windows reports when that is unset or empty, followed by "\orlivane.rdp".
std::wstring ScriptPath();

// Reads the stored server and, for Outlook, Word and Excel, the Office bitness, and writes
// the connection file. Throws on any failure; the lines written before it stay in the file.
void WriteConnectionScript(int code);

// Writes the file and asks the shell to open it, without waiting. Every failure ends the
// launch silently: nothing is shown and the shell is not called.
void CreateScriptAndLaunch(int code, HWND owner);

}  // namespace orlivane
