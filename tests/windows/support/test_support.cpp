#include "test_support.h"

#include <gtest/gtest.h>

#include <winternl.h>

#include <cstdio>

namespace orlivane::testkit {
namespace {

const wchar_t kRoot[] = L"Software\\TressikSettings";

std::wstring SectionPath(const std::wstring& section) {
    return std::wstring(kRoot) + L"\\" + section;
}

std::wstring CaptureFolder() {
    const auto folder = EnvironmentValue(L"ORLIVANE_CAPTURE_DIR");
    if (!folder) ADD_FAILURE() << "ORLIVANE_CAPTURE_DIR is not set";
    return folder.value_or(L".");
}

std::wstring CaptureName(std::size_t n, const wchar_t* suffix = L"") {
    wchar_t name[40];
    std::swprintf(name, 40, L"\\capture-%04zu.rdp", n);
    return CaptureFolder() + name + suffix;
}

std::vector<Capture> CollectCaptures() {
    std::vector<Capture> captures;
    for (std::size_t n = 1;; ++n) {
        if (GetFileAttributesW(CaptureName(n).c_str()) == INVALID_FILE_ATTRIBUTES) break;
        // The handler has claimed the number with the path file before publishing the copy.
        std::optional<std::string> bytes;
        for (int attempt = 0; attempt < 50 && !bytes; ++attempt) {
            bytes = ReadFileBytes(CaptureName(n));
            if (!bytes) Sleep(20);
        }
        const auto path = ReadFileBytes(CaptureName(n, L".path"));
        EXPECT_TRUE(bytes && path) << "capture " << n << " unreadable";
        Capture capture{bytes.value_or(""), {}};
        if (path)
            capture.handed_path.assign(reinterpret_cast<const wchar_t*>(path->data()),
                                       path->size() / sizeof(wchar_t));
        captures.push_back(std::move(capture));
    }
    return captures;
}

}  // namespace

void ClearStoredSettings() {
    const LSTATUS status = RegDeleteTreeW(HKEY_CURRENT_USER, kRoot);
    ASSERT_TRUE(status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) << status;
}

std::optional<RawValue> ReadRawValue(const std::wstring& section, const std::wstring& name) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, SectionPath(section).c_str(), 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return std::nullopt;
    RawValue value;
    DWORD size = 0;
    LSTATUS status = RegQueryValueExW(key, name.c_str(), nullptr, &value.type, nullptr, &size);
    if (status == ERROR_SUCCESS) {
        value.data.resize(size);
        status =
            RegQueryValueExW(key, name.c_str(), nullptr, &value.type, value.data.data(), &size);
        value.data.resize(size);
    }
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) return std::nullopt;
    return value;
}

void WriteRawValue(const std::wstring& section, const std::wstring& name, DWORD type,
                   const void* data, DWORD bytes) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, SectionPath(section).c_str(), 0, nullptr, 0,
                              KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    // Stored through the native call, byte for byte: Wine's RegSetValueExW would add a
    // terminator that other writers of the registry need not add.
    using NtSetValueKeyFunction = LONG(NTAPI*)(HANDLE, PUNICODE_STRING, ULONG, ULONG, PVOID, ULONG);
    const auto set_value = reinterpret_cast<NtSetValueKeyFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtSetValueKey")));
    ASSERT_NE(set_value, nullptr);
    UNICODE_STRING value_name;
    value_name.Buffer = const_cast<PWSTR>(name.c_str());
    value_name.Length = static_cast<USHORT>(name.size() * sizeof(wchar_t));
    value_name.MaximumLength = value_name.Length;
    EXPECT_EQ(set_value(key, &value_name, 0, type, const_cast<void*>(data), bytes), 0);
    RegCloseKey(key);
}

void WriteStringValue(const std::wstring& section, const std::wstring& name,
                      const std::wstring& text, DWORD type) {
    const auto bytes = RegSzBytes(text);
    WriteRawValue(section, name, type, bytes.data(), static_cast<DWORD>(bytes.size()));
}

void WriteDwordValue(const std::wstring& section, const std::wstring& name, DWORD value) {
    WriteRawValue(section, name, REG_DWORD, &value, sizeof value);
}

bool SectionExists(const std::wstring& section) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, SectionPath(section).c_str(), 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

std::vector<BYTE> RegSzBytes(const std::wstring& text) {
    const auto* begin = reinterpret_cast<const BYTE*>(text.c_str());
    return std::vector<BYTE>(begin, begin + (text.size() + 1) * sizeof(wchar_t));
}

std::optional<std::wstring> EnvironmentValue(const wchar_t* name) {
    const DWORD needed = GetEnvironmentVariableW(name, nullptr, 0);
    if (needed == 0)
        return GetLastError() == ERROR_ENVVAR_NOT_FOUND ? std::nullopt
                                                        : std::optional<std::wstring>(L"");
    std::wstring value(needed, L'\0');
    const DWORD length = GetEnvironmentVariableW(name, value.data(), needed);
    value.resize(length);
    return value;
}

ScopedEnvironmentVariable::ScopedEnvironmentVariable(const wchar_t* name,
                                                     std::optional<std::wstring> value)
    : name_(name), saved_(EnvironmentValue(name)) {
    EXPECT_TRUE(SetEnvironmentVariableW(name, value ? value->c_str() : nullptr) || !value);
}

ScopedEnvironmentVariable::~ScopedEnvironmentVariable() {
    SetEnvironmentVariableW(name_.c_str(), saved_ ? saved_->c_str() : nullptr);
}

std::optional<std::string> ReadFileBytes(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    std::string bytes;
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
    CloseHandle(file);
    return bytes;
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

ScratchFolder::ScratchFolder() {
    wchar_t temp[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, temp);
    static int counter = 0;
    path_ = std::wstring(temp) + L"orlivane-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(++counter);
    EXPECT_TRUE(CreateDirectoryW(path_.c_str(), nullptr));
}

ScratchFolder::~ScratchFolder() {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((path_ + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name != L"." && name != L"..") DeleteFileW((path_ + L"\\" + name).c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(path_.c_str());
}

void ClearCaptures() {
    for (std::size_t n = 1; n < 100000; ++n) {
        const bool had_path = DeleteFileW(CaptureName(n, L".path").c_str()) != 0;
        const bool had_copy = DeleteFileW(CaptureName(n).c_str()) != 0;
        if (!had_path && !had_copy) break;
    }
}

std::vector<Capture> WaitForCaptures(std::size_t count, DWORD timeout_ms) {
    const ULONGLONG deadline = GetTickCount64() + timeout_ms;
    while (GetTickCount64() < deadline) {
        if (GetFileAttributesW(CaptureName(count).c_str()) != INVALID_FILE_ATTRIBUTES) break;
        Sleep(20);
    }
    return CollectCaptures();
}

std::vector<Capture> CapturesAfterQuietPeriod(DWORD quiet_ms) {
    Sleep(quiet_ms);
    return CollectCaptures();
}

}  // namespace orlivane::testkit
