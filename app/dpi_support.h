// Per-monitor DPI where Windows has it (10 and later), the system DPI elsewhere. The
// functions newer than Vista are looked up at run time so the program still starts there.
#pragma once

#include <windows.h>

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

namespace orlivane {

// The DPI the window is drawn at: its monitor's where known, otherwise the system's.
int DpiForWindow(HWND window);

// The system DPI (the primary monitor's at log-on).
int SystemDpi();

// The outer size of a window whose client area is `client_width` x `client_height`.
SIZE OuterSizeForClient(int client_width, int client_height, DWORD style, DWORD ex_style, int dpi);

}  // namespace orlivane
