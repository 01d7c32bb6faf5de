#include "system_library.h"

#include <objbase.h>

#include <string>

namespace orlivane {

FARPROC SystemFunction(const wchar_t* dll, const char* name) {
    wchar_t folder[MAX_PATH + 1] = {};
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH + 1);
    if (length == 0 || length > MAX_PATH) return nullptr;
    const std::wstring path = std::wstring(folder, length) + L"\\" + dll;
    HMODULE module = GetModuleHandleW(path.c_str());
    if (!module) module = LoadLibraryW(path.c_str());
    return module ? GetProcAddress(module, name) : nullptr;
}

void EnsureComApartment() {
    static bool joined = false;
    if (joined) return;
    joined = true;
    using CoInitializeExFunction = HRESULT(WINAPI*)(LPVOID, DWORD);
    if (const auto initialize =
            SystemFunctionAs<CoInitializeExFunction>(L"ole32.dll", "CoInitializeEx"))
        initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
}

}  // namespace orlivane
