#include "application_window.h"

namespace orlivane {
namespace {

HWND MainWindowOf(HWND application_window) {
    return reinterpret_cast<HWND>(GetWindowLongPtrW(application_window, GWLP_USERDATA));
}

LRESULT CALLBACK ApplicationWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    HWND main = MainWindowOf(window);
    switch (message) {
        case WM_SYSCOMMAND:
            switch (wparam & 0xFFF0) {
                case SC_CLOSE:  // "Close window" on the taskbar button
                    if (main) PostMessageW(main, WM_CLOSE, 0, 0);
                    return 0;
                case SC_MINIMIZE:
                    if (main) ShowWindow(main, SW_HIDE);
                    break;
                case SC_RESTORE: {
                    const LRESULT result = DefWindowProcW(window, message, wparam, lparam);
                    if (main) {
                        ShowWindow(main, SW_SHOW);
                        SetForegroundWindow(main);
                    }
                    return result;
                }
                default:
                    break;
            }
            break;
        case WM_ACTIVATE:
            // A click on the taskbar button brings the launcher window forward.
            if (LOWORD(wparam) != WA_INACTIVE && main && IsWindowVisible(main) &&
                IsWindowEnabled(main)) {
                SetActiveWindow(main);
                return 0;
            }
            break;
        case WM_CLOSE:
            if (main) PostMessageW(main, WM_CLOSE, 0, 0);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

void RegisterApplicationWindowClass(HINSTANCE instance) {
    WNDCLASSEXW window{};
    window.cbSize = sizeof window;
    window.lpfnWndProc = ApplicationWindowProc;
    window.hInstance = instance;
    window.hIcon = LoadIconW(instance, L"MAINICON");
    window.hIconSm = static_cast<HICON>(LoadImageW(instance, L"MAINICON", IMAGE_ICON,
                                                   GetSystemMetrics(SM_CXSMICON),
                                                   GetSystemMetrics(SM_CYSMICON), 0));
    window.lpszClassName = kApplicationWindowClass;
    RegisterClassExW(&window);
}

HWND CreateApplicationWindow(HINSTANCE instance, const wchar_t* title) {
    const int x = GetSystemMetrics(SM_CXSCREEN) / 2;
    const int y = GetSystemMetrics(SM_CYSCREEN) / 2;
    HWND window =
        CreateWindowExW(0, kApplicationWindowClass, title,
                        WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPSIBLINGS, x, y,
                        0, 0, nullptr, nullptr, instance, nullptr);
    if (window) ShowWindow(window, SW_SHOWNOACTIVATE);
    return window;
}

void SetApplicationMainWindow(HWND application_window, HWND main_window) {
    SetWindowLongPtrW(application_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(main_window));
}

}  // namespace orlivane
