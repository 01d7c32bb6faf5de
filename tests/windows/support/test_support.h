// Helpers shared by the Windows tests: the real registry of the test prefix, environment
// variables, files, and the captures made by the .rdp handler registered for the tests.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace orlivane::testkit {

// Removes HKCU\Software\TressikSettings with everything below it.
void ClearStoredSettings();

struct RawValue {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};
// Reads or writes a value below HKCU\Software\TressikSettings\<section> exactly as stored.
std::optional<RawValue> ReadRawValue(const std::wstring& section, const std::wstring& name);
void WriteRawValue(const std::wstring& section, const std::wstring& name, DWORD type,
                   const void* data, DWORD bytes);
void WriteStringValue(const std::wstring& section, const std::wstring& name,
                      const std::wstring& text, DWORD type = REG_SZ);
void WriteDwordValue(const std::wstring& section, const std::wstring& name, DWORD value);
bool SectionExists(const std::wstring& section);
// The REG_SZ bytes of `text` with its terminator, as a writer of REG_SZ stores it.
std::vector<BYTE> RegSzBytes(const std::wstring& text);

// Sets (or with nullopt removes) an environment variable for the test's lifetime.
class ScopedEnvironmentVariable {
  public:
    ScopedEnvironmentVariable(const wchar_t* name, std::optional<std::wstring> value);
    ~ScopedEnvironmentVariable();
    ScopedEnvironmentVariable(const ScopedEnvironmentVariable&) = delete;
    ScopedEnvironmentVariable& operator=(const ScopedEnvironmentVariable&) = delete;

  private:
    std::wstring name_;
    std::optional<std::wstring> saved_;
};

std::optional<std::wstring> EnvironmentValue(const wchar_t* name);
std::optional<std::string> ReadFileBytes(const std::wstring& path);
void WriteFileBytes(const std::wstring& path, const std::string& bytes);

// A fresh folder below the prefix's temporary folder, removed with its files afterwards.
class ScratchFolder {
  public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::wstring& path() const { return path_; }

  private:
    std::wstring path_;
};

// What the registered .rdp handler received, one entry per hand-over, in order.
struct Capture {
    std::string bytes;
    std::wstring handed_path;
};
void ClearCaptures();
// Waits until `count` hand-overs arrived (or the timeout passed) and returns all of them.
std::vector<Capture> WaitForCaptures(std::size_t count, DWORD timeout_ms = 10000);
// Waits a moment and returns whatever arrived: for checks that nothing was handed over.
std::vector<Capture> CapturesAfterQuietPeriod(DWORD quiet_ms = 1500);

}  // namespace orlivane::testkit
