// The connection file as it is written: each line converted to the ANSI code page and
// ended with CR LF, collected in a 128-byte buffer that is written out whenever it fills
// and once more when the file is closed.
#pragma once

#include <windows.h>

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace orlivane {

class ScriptFile {
  public:
    // Creates or replaces the file, shared for reading only. Throws Error on failure.
    explicit ScriptFile(const std::wstring& path);
    ScriptFile(const ScriptFile&) = delete;
    ScriptFile& operator=(const ScriptFile&) = delete;
    // Writes out what is buffered and closes, ignoring errors: used when a launch fails
    // half-way, so the lines written before the failure stay in the file.
    ~ScriptFile();

    // Throws Error when the conversion or a write fails, and when the converted line
    // would itself contain a line break: one line is always one setting.
    void WriteLine(std::wstring_view line);

    // Writes out the buffer and closes the file. Throws Error on failure.
    void Close();

  private:
    void Append(const char* bytes, std::size_t count);
    void Flush();

    HANDLE handle_ = INVALID_HANDLE_VALUE;
    std::array<char, 128> buffer_{};
    std::size_t used_ = 0;
};

}  // namespace orlivane
