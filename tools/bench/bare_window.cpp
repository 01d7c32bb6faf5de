// The start-up reference: a plain tool window with the launcher's caption and client size
// (789 x 177 at 96 DPI) and nothing in it, linked the same way as the launcher.
#include <windows.h>

namespace {

constexpr wchar_t kClassName[] = L"OrlivaneBenchBareWindow";
constexpr int kClientWidth = 789;
constexpr int kClientHeight = 177;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = WindowProc;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    window_class.lpszClassName = kClassName;
    if (!RegisterClassExW(&window_class)) return 1;

    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);

    constexpr DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    constexpr DWORD ex_style = WS_EX_TOOLWINDOW;
    RECT frame{0, 0, MulDiv(kClientWidth, dpi, 96), MulDiv(kClientHeight, dpi, 96)};
    AdjustWindowRectEx(&frame, style, FALSE, ex_style);
    const HWND window = CreateWindowExW(ex_style, kClassName, L"Orlivane", style, CW_USEDEFAULT,
                                        CW_USEDEFAULT, frame.right - frame.left,
                                        frame.bottom - frame.top, nullptr, nullptr, instance,
                                        nullptr);
    if (!window) return 1;
    ShowWindow(window, show);
    UpdateWindow(window);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
