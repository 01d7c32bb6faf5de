#include "dpi_support.h"

namespace orlivane {
namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiFunction = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);

template <typename Function>
Function User32Function(const char* name) {
    static const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32
               ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name)))
               : nullptr;
}

}  // namespace

int SystemDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

int DpiForWindow(HWND window) {
    static const auto get_dpi_for_window =
        User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    if (get_dpi_for_window && window) {
        const UINT dpi = get_dpi_for_window(window);
        if (dpi > 0) return static_cast<int>(dpi);
    }
    return SystemDpi();
}

SIZE OuterSizeForClient(int client_width, int client_height, DWORD style, DWORD ex_style, int dpi) {
    static const auto adjust_for_dpi =
        User32Function<AdjustWindowRectExForDpiFunction>("AdjustWindowRectExForDpi");
    RECT frame{0, 0, client_width, client_height};
    if (!adjust_for_dpi || !adjust_for_dpi(&frame, style, FALSE, ex_style, static_cast<UINT>(dpi)))
        AdjustWindowRectEx(&frame, style, FALSE, ex_style);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

}  // namespace orlivane
