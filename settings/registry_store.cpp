#include "registry_store.h"

#include <windows.h>

#include <optional>
#include <vector>

#include "error.h"
#include "registry_key.h"
#include "setting_names.h"

namespace orlivane {
namespace {

// STANDARD_RIGHTS_READ | KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS: enough to see the key.
constexpr REGSAM kExistenceTestAccess = 0x20009;

std::wstring SectionPath(const std::wstring& section) { return kSettingsRoot + section; }

bool SectionExists(const std::wstring& path) {
    HKEY probe = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, kExistenceTestAccess, &probe) !=
        ERROR_SUCCESS)
        return false;
    RegCloseKey(probe);
    return true;
}

RegistryKey CreateForWriting(const std::wstring& path) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        key = nullptr;
    return RegistryKey(key);
}

void WriteText(const RegistryKey& key, const std::wstring& name, const SettingValue& value) {
    const std::wstring text = value.ToText();
    const DWORD bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    const LSTATUS status = key ? RegSetValueExW(key.get(), name.c_str(), 0, REG_SZ,
                                                reinterpret_cast<const BYTE*>(text.c_str()), bytes)
                               : ERROR_INVALID_HANDLE;
    if (status != ERROR_SUCCESS) throw Error(L"Failed to set data for '" + name + L"'");
}

enum class ValueRead { Missing, Text, NotText };

// Reads a value of any size without trusting its terminator or its length: the data are
// fetched into a buffer sized from the value itself (retrying if it grows meanwhile), an
// odd trailing byte is dropped and the text ends at the first NUL or at the data's end.
ValueRead ReadText(HKEY key, const std::wstring& name, std::wstring& text) {
    DWORD type = 0;
    DWORD size = 0;
    LSTATUS status = RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size);
    if (status != ERROR_SUCCESS && status != ERROR_MORE_DATA) return ValueRead::Missing;
    if (size == 0) {
        text.clear();
        return ValueRead::Text;
    }
    if (type != REG_SZ && type != REG_EXPAND_SZ) return ValueRead::NotText;

    std::vector<wchar_t> buffer;
    for (int attempt = 0; attempt < 8; ++attempt) {
        buffer.assign(size / sizeof(wchar_t) + 1, L'\0');
        DWORD capacity = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
        status = RegQueryValueExW(key, name.c_str(), nullptr, &type,
                                  reinterpret_cast<BYTE*>(buffer.data()), &capacity);
        if (status == ERROR_MORE_DATA) {
            size = capacity;
            continue;
        }
        if (status != ERROR_SUCCESS) return ValueRead::NotText;
        if (capacity == 0) {
            text.clear();
            return ValueRead::Text;
        }
        if (type != REG_SZ && type != REG_EXPAND_SZ) return ValueRead::NotText;
        const std::size_t units = capacity / sizeof(wchar_t);
        std::size_t length = 0;
        while (length < units && buffer[length] != L'\0') ++length;
        text.assign(buffer.data(), length);
        return ValueRead::Text;
    }
    return ValueRead::NotText;
}

}  // namespace

SettingValue GetRegistry(const std::wstring& section, const std::wstring& key,
                         const SettingValue& default_value) {
    const std::wstring path = SectionPath(section);
    if (!SectionExists(path)) {
        WriteText(CreateForWriting(path), key, default_value);
        return default_value;
    }

    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) {
        // Visible but not readable: leave whatever is stored alone.
        return default_value;
    }
    RegistryKey read_key(opened);

    std::wstring text;
    switch (ReadText(read_key.get(), key, text)) {
        case ValueRead::Text:
            return SettingValue::Text(std::move(text));
        case ValueRead::NotText:
            return default_value;
        case ValueRead::Missing:
            break;
    }

    // Reopen the same key for writing; the read handle is closed either way.
    HKEY reopened = nullptr;
    if (RegOpenKeyExW(read_key.get(), L"", 0, KEY_WRITE, &reopened) != ERROR_SUCCESS)
        reopened = nullptr;
    read_key.Reset();
    WriteText(RegistryKey(reopened), key, default_value);
    return default_value;
}

void SetRegistry(const std::wstring& section, const std::wstring& key, const SettingValue& value) {
    WriteText(CreateForWriting(SectionPath(section)), key, value);
}

}  // namespace orlivane
