// Stands in for the Remote Desktop client in tests: the .rdp association of the test
// prefix runs it with a capture folder and the handed-over file. It copies the file there
// as capture-NNNN.rdp (the next free number), writing under a temporary name first so that
// a test never sees half a copy.
#include <windows.h>

#include <cstdio>
#include <string>

bool WriteWholeFile(const std::wstring& path, const void* data, DWORD bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, data, bytes, &written, nullptr) && written == bytes;
    CloseHandle(file);
    return ok;
}

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) return 2;
    const std::wstring folder = argv[1];
    const std::wstring incoming = folder + L"\\incoming-" + std::to_wstring(GetCurrentProcessId());
    if (!CopyFileW(argv[2], incoming.c_str(), FALSE)) return 3;
    if (!WriteWholeFile(incoming + L".path", argv[2],
                        static_cast<DWORD>(wcslen(argv[2]) * sizeof(wchar_t))))
        return 3;
    // Claim the next number with the path file, then publish the copy under it.
    for (int n = 1; n < 100000; ++n) {
        wchar_t name[32];
        std::swprintf(name, 32, L"\\capture-%04d.rdp", n);
        const std::wstring target = folder + name;
        if (MoveFileW((incoming + L".path").c_str(), (target + L".path").c_str()))
            return MoveFileW(incoming.c_str(), target.c_str()) ? 0 : 4;
    }
    return 4;
}
