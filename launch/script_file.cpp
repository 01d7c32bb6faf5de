#include "script_file.h"

#include <algorithm>
#include <climits>
#include <string>

#include "connection_script.h"
#include "error.h"

namespace orlivane {
namespace {

[[noreturn]] void ThrowSystemError(DWORD code) {
    throw Error(L"System error " + std::to_wstring(code));
}

std::string ToAnsi(std::wstring_view line) {
    if (line.empty()) return {};
    if (line.size() > static_cast<std::size_t>(INT_MAX)) ThrowSystemError(ERROR_INVALID_PARAMETER);
    const int units = static_cast<int>(line.size());
    const int bytes =
        WideCharToMultiByte(CP_ACP, 0, line.data(), units, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) ThrowSystemError(GetLastError());
    std::string ansi(static_cast<std::size_t>(bytes), '\0');
    if (WideCharToMultiByte(CP_ACP, 0, line.data(), units, ansi.data(), bytes, nullptr, nullptr) !=
        bytes)
        ThrowSystemError(GetLastError());
    return ansi;
}

}  // namespace

ScriptFile::ScriptFile(const std::wstring& path) {
    handle_ = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle_ == INVALID_HANDLE_VALUE) ThrowSystemError(GetLastError());
}

ScriptFile::~ScriptFile() {
    if (handle_ == INVALID_HANDLE_VALUE) return;
    try {
        Flush();
    } catch (...) {
    }
    CloseHandle(handle_);
}

void ScriptFile::WriteLine(std::wstring_view line) {
    const std::string ansi = ToAnsi(line);
    if (ansi.find_first_of("\r\n") != std::string::npos) ThrowSystemError(ERROR_INVALID_DATA);
    Append(ansi.data(), ansi.size());
    Append(kLineEnd.data(), kLineEnd.size());
}

void ScriptFile::Close() {
    Flush();
    const HANDLE handle = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    if (!CloseHandle(handle)) ThrowSystemError(GetLastError());
}

void ScriptFile::Append(const char* bytes, std::size_t count) {
    while (count > 0) {
        const std::size_t room = buffer_.size() - used_;
        const std::size_t take = count < room ? count : room;
        std::copy(bytes, bytes + take, buffer_.data() + used_);
        used_ += take;
        bytes += take;
        count -= take;
        if (used_ == buffer_.size()) Flush();
    }
}

void ScriptFile::Flush() {
    if (used_ == 0) return;
    const DWORD pending = static_cast<DWORD>(used_);
    used_ = 0;
    DWORD written = 0;
    if (!WriteFile(handle_, buffer_.data(), pending, &written, nullptr))
        ThrowSystemError(GetLastError());
    if (written != pending) ThrowSystemError(ERROR_WRITE_FAULT);
}

}  // namespace orlivane
