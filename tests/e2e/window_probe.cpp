// Reads what a customer would see of a running window, for the end-to-end test: it never
// drives the window, only asks it, as any other program may.
//   window_probe state CLASS   the top-level window of that class (position, DPI, whether it
//                              is the foreground window), its children (class, position,
//                              visibility, text; a combo box's selection), the focused
//                              control and any dialog box of the same process
//   window_probe reg SECTION NAME   a value under HKCU\Software\TressikSettings\SECTION
// Prints one JSON object on standard output.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr UINT kTimeoutMs = 2000;

std::string Json(const std::wstring& text) {
    std::string out = "\"";
    for (wchar_t c : text) {
        if (c == L'"' || c == L'\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c >= 0x20 && c < 0x7f) {
            out += static_cast<char>(c);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
            out += escaped;
        }
    }
    return out + "\"";
}

std::wstring ClassOf(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

// WM_GETTEXT reaches the control's own text even in another process.
std::wstring TextOf(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kTimeoutMs, &length))
        return L"<no answer>";
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, kTimeoutMs, &copied);
    text.resize(copied);
    return text;
}

std::string RectJson(const RECT& r) {
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, "{\"left\":%ld,\"top\":%ld,\"width\":%ld,\"height\":%ld}",
                  r.left, r.top, r.right - r.left, r.bottom - r.top);
    return buffer;
}

UINT DpiOf(HWND window) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    const auto get = reinterpret_cast<GetDpiForWindowFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (get) return get(window);
    HDC dc = GetDC(window);
    const UINT dpi = static_cast<UINT>(GetDeviceCaps(dc, LOGPIXELSX));
    ReleaseDC(window, dc);
    return dpi;
}

std::string ComboJson(HWND combo) {
    DWORD_PTR selected = 0, count = 0;
    SendMessageTimeoutW(combo, CB_GETCURSEL, 0, 0, SMTO_ABORTIFHUNG, kTimeoutMs, &selected);
    SendMessageTimeoutW(combo, CB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, kTimeoutMs, &count);
    std::string out =
        ",\"selected\":" + std::to_string(static_cast<long>(selected)) + ",\"items\":[";
    for (DWORD_PTR i = 0; i < count && i < 64; ++i) {
        wchar_t item[256] = {};
        DWORD_PTR length = 0;
        SendMessageTimeoutW(combo, CB_GETLBTEXTLEN, i, 0, SMTO_ABORTIFHUNG, kTimeoutMs, &length);
        if (length < 256)
            SendMessageTimeoutW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item),
                                SMTO_ABORTIFHUNG, kTimeoutMs, &length);
        if (i) out += ',';
        out += Json(item);
    }
    return out + "]";
}

struct Search {
    HWND main;
    std::vector<HWND> found;
};

std::string WindowJson(HWND window, HWND parent) {
    RECT r;
    GetWindowRect(window, &r);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
    std::string out = "{\"class\":" + Json(ClassOf(window)) +
                      ",\"id\":" + std::to_string(GetDlgCtrlID(window)) +
                      ",\"visible\":" + (IsWindowVisible(window) ? "true" : "false") +
                      ",\"enabled\":" + (IsWindowEnabled(window) ? "true" : "false") +
                      ",\"rect\":" + RectJson(r) + ",\"text\":" + Json(TextOf(window));
    if (_wcsicmp(ClassOf(window).c_str(), L"ComboBox") == 0) out += ComboJson(window);
    return out + "}";
}

int State(const wchar_t* class_name) {
    HWND main = FindWindowW(class_name, nullptr);
    if (!main) {
        std::puts("{\"found\":false}");
        return 0;
    }
    DWORD process = 0;
    const DWORD thread = GetWindowThreadProcessId(main, &process);
    DWORD_PTR ignored = 0;
    const bool responsive =
        SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kTimeoutMs, &ignored) != 0;

    RECT window_rect, client;
    GetWindowRect(main, &window_rect);
    GetClientRect(main, &client);
    MapWindowPoints(main, HWND_DESKTOP, reinterpret_cast<POINT*>(&client), 2);
    RECT work = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);

    GUITHREADINFO gui = {};
    gui.cbSize = sizeof gui;
    GetGUIThreadInfo(thread, &gui);

    std::string out =
        "{\"found\":true,\"visible\":" + std::string(IsWindowVisible(main) ? "true" : "false") +
        ",\"responsive\":" + (responsive ? "true" : "false") +
        ",\"foreground\":" + (GetForegroundWindow() == main ? "true" : "false") +
        ",\"foreground_class\":" +
        Json(GetForegroundWindow() ? ClassOf(GetForegroundWindow()) : L"") +
        ",\"caption\":" + Json(TextOf(main)) + ",\"window\":" + RectJson(window_rect) +
        ",\"client\":" + RectJson(client) + ",\"work_area\":" + RectJson(work) +
        ",\"dpi\":" + std::to_string(DpiOf(main));
    HWND owner = GetWindow(main, GW_OWNER);
    out += ",\"owner_class\":" + Json(owner ? ClassOf(owner) : L"");
    out += ",\"focus\":" + (gui.hwndFocus && IsChild(main, gui.hwndFocus)
                                ? std::to_string(GetDlgCtrlID(gui.hwndFocus)) +
                                      ",\"focus_class\":" + Json(ClassOf(gui.hwndFocus))
                                : std::string("null"));

    Search children{main, {}};
    EnumChildWindows(
        main,
        [](HWND child, LPARAM data) -> BOOL {
            auto* search = reinterpret_cast<Search*>(data);
            if (GetParent(child) == search->main) search->found.push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&children));
    out += ",\"children\":[";
    for (size_t i = 0; i < children.found.size(); ++i) {
        if (i) out += ',';
        out += WindowJson(children.found[i], main);
    }
    out += "]";

    // Dialog boxes (a message box, say) that the same process shows.
    struct Dialogs {
        DWORD process;
        std::vector<HWND> found;
    } dialogs{process, {}};
    EnumWindows(
        [](HWND top, LPARAM data) -> BOOL {
            auto* search = reinterpret_cast<Dialogs*>(data);
            DWORD owner_process = 0;
            GetWindowThreadProcessId(top, &owner_process);
            if (owner_process == search->process && IsWindowVisible(top) &&
                ClassOf(top) == L"#32770")
                search->found.push_back(top);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&dialogs));
    out += ",\"dialogs\":[";
    for (size_t i = 0; i < dialogs.found.size(); ++i) {
        if (i) out += ',';
        out += Json(TextOf(dialogs.found[i]));
    }
    out += "]}";
    std::puts(out.c_str());
    return 0;
}

int Registry(const std::wstring& section, const wchar_t* name) {
    HKEY key = nullptr;
    const std::wstring path = L"Software\\TressikSettings\\" + section;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        std::puts("{\"exists\":false}");
        return 0;
    }
    DWORD type = 0, bytes = 0;
    LONG status = RegQueryValueExW(key, name, nullptr, &type, nullptr, &bytes);
    std::vector<BYTE> data(bytes);
    if (status == ERROR_SUCCESS && bytes)
        status = RegQueryValueExW(key, name, nullptr, &type, data.data(), &bytes);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) {
        std::puts("{\"exists\":false}");
        return 0;
    }
    std::string hex;
    for (DWORD i = 0; i < bytes; ++i) {
        char pair[3];
        std::snprintf(pair, sizeof pair, "%02x", data[i]);
        hex += pair;
    }
    std::printf("{\"exists\":true,\"type\":%lu,\"hex\":\"%s\"}\n", type, hex.c_str());
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring command = argc > 1 ? argv[1] : L"";
    if (command == L"state" && argc == 3) return State(argv[2]);
    if (command == L"reg" && argc == 4) return Registry(argv[2], argv[3]);
    std::fputs("usage: window_probe state CLASS | reg SECTION NAME\n", stderr);
    return 2;
}
