// What a launch costs before the shell is called: WriteConnectionScript's reads of the
// stored server and bitness and its writing of the connection file, against a floor made of
// the least the same work needs (two raw registry reads, one CreateFileW, one WriteFile of
// the same bytes, one CloseHandle). Batches of both alternate; the medians are compared.
//
//   launch_cost [--batches N] [--iterations N]
//
// A breakdown of the launcher's path by step follows, to show where its time goes.
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

#include "application_code.h"
#include "bench_common.h"
#include "connection_script.h"
#include "hosting_domain.h"
#include "launch.h"
#include "registry_store.h"
#include "script_file.h"
#include "setting_names.h"

namespace {

constexpr wchar_t kSectionPath[] = L"Software\\TressikSettings\\Orlivane";
constexpr int kCode = orlivane::scrOutlook;  // reads both the server and the bitness

[[noreturn]] void Fail(const wchar_t* what, DWORD code) {
    std::fwprintf(stderr, L"launch_cost: %ls failed, error %lu\n", what, code);
    std::exit(1);
}

std::string ReadFileBytes(const std::wstring& path) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) Fail(L"opening the connection file", GetLastError());
    std::string bytes;
    char chunk[4096];
    DWORD read = 0;
    while (ReadFile(file, chunk, sizeof chunk, &read, nullptr) && read > 0) bytes.append(chunk, read);
    CloseHandle(file);
    return bytes;
}

void RawRead(const wchar_t* name) {
    HKEY key = nullptr;
    LSTATUS status = RegOpenKeyExW(HKEY_CURRENT_USER, kSectionPath, 0, KEY_READ, &key);
    if (status != ERROR_SUCCESS) Fail(L"RegOpenKeyExW", static_cast<DWORD>(status));
    wchar_t data[256];
    DWORD type = 0;
    DWORD size = sizeof data;
    status = RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || type != REG_SZ) Fail(L"RegQueryValueExW", static_cast<DWORD>(status));
}

void RawWrite(const std::wstring& path, const std::string& bytes) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                    CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) Fail(L"CreateFileW", GetLastError());
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
        written != bytes.size())
        Fail(L"WriteFile", GetLastError());
    if (!CloseHandle(file)) Fail(L"CloseHandle", GetLastError());
}

void Floor(const std::wstring& path, const std::string& bytes) {
    RawRead(orlivane::kKeyServer);
    RawRead(orlivane::kKeyBitness);
    RawWrite(path, bytes);
}

// The launcher's own file writing, lines as WriteConnectionScript writes them, without the
// registry reads.
void ScriptFileOnly(const std::wstring& path) {
    orlivane::ScriptFile file(path);
    for (const auto line : orlivane::ScriptLinesBeforeAddress()) file.WriteLine(line);
    file.WriteLine(orlivane::FullAddressLine(L"bench01", orlivane::kHostingDomainSuffix));
    for (const auto line : orlivane::ScriptLinesBeforeProgram()) file.WriteLine(line);
    file.WriteLine(*orlivane::RemoteProgramLine(kCode, orlivane::OfficeBitness::Bits64));
    for (const auto line : orlivane::ScriptClosingLines()) file.WriteLine(line);
    file.Close();
}

void StoredReads() {
    (void)orlivane::GetRegistry(orlivane::kSectionOrlivane, orlivane::kKeyServer,
                                orlivane::SettingValue());
    (void)orlivane::GetRegistry(orlivane::kSectionOrlivane, orlivane::kKeyBitness,
                                orlivane::SettingValue::Byte(0));
}

// Microseconds per call: the median over batches of each batch's mean.
template <typename F>
double MicrosecondsPerCall(F&& step, int batches, int iterations) {
    std::vector<double> per_call;
    for (int b = 0; b < batches; ++b) {
        const bench::Stopwatch clock;
        for (int i = 0; i < iterations; ++i) step();
        per_call.push_back(clock.ElapsedMs() * 1000.0 / iterations);
    }
    return bench::Median(per_call);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    int batches = 31, iterations = 200;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::wstring option = argv[i];
        if (option == L"--batches") batches = _wtoi(argv[i + 1]);
        else if (option == L"--iterations") iterations = _wtoi(argv[i + 1]);
    }
    if (batches < 1 || iterations < 1) {
        std::fwprintf(stderr, L"usage: launch_cost [--batches N] [--iterations N]\n");
        return 2;
    }

    orlivane::SetRegistry(orlivane::kSectionOrlivane, orlivane::kKeyServer,
                          orlivane::SettingValue::Text(L"bench01"));
    orlivane::SetRegistry(orlivane::kSectionOrlivane, orlivane::kKeyBitness,
                          orlivane::SettingValue::Text(L"1"));
    const std::wstring path = orlivane::ScriptPath();
    orlivane::WriteConnectionScript(kCode);
    const std::string bytes = ReadFileBytes(path);
    if (bytes.empty()) Fail(L"writing the connection file", ERROR_WRITE_FAULT);

    const auto launcher = [] { orlivane::WriteConnectionScript(kCode); };
    const auto floor = [&] { Floor(path, bytes); };
    for (int i = 0; i < 200; ++i) {  // warm up caches and the wineserver
        launcher();
        floor();
    }
    std::vector<double> launcher_us, floor_us;
    for (int b = 0; b < batches; ++b) {
        // Alternate which goes first so that drift does not favour either.
        if (b % 2 == 0) launcher_us.push_back(MicrosecondsPerCall(launcher, 1, iterations));
        floor_us.push_back(MicrosecondsPerCall(floor, 1, iterations));
        if (b % 2 != 0) launcher_us.push_back(MicrosecondsPerCall(launcher, 1, iterations));
    }
    if (ReadFileBytes(path) != bytes) Fail(L"keeping the connection file unchanged", 0);

    const double launcher_median = bench::Median(launcher_us);
    const double floor_median = bench::Median(floor_us);
    const double ratio = launcher_median / floor_median;
    std::wprintf(L"Launch cost, %d batches of %d, file of %zu bytes:\n", batches, iterations,
                 bytes.size());
    std::wprintf(L"  WriteConnectionScript   %8.1f us per launch\n", launcher_median);
    std::wprintf(L"  floor                   %8.1f us per launch\n", floor_median);

    // Where the launcher's time goes, step by step, each against its share of the floor.
    const int part_batches = batches / 2 + 1;
    std::wprintf(L"  breakdown (median us per call):\n");
    std::wprintf(L"    ScriptPath()                            %8.1f\n",
                 MicrosecondsPerCall([] { (void)orlivane::ScriptPath(); }, part_batches,
                                     iterations));
    std::wprintf(L"    two GetRegistry reads                   %8.1f   raw: %8.1f\n",
                 MicrosecondsPerCall(StoredReads, part_batches, iterations),
                 MicrosecondsPerCall(
                     [] {
                         RawRead(orlivane::kKeyServer);
                         RawRead(orlivane::kKeyBitness);
                     },
                     part_batches, iterations));
    std::wprintf(L"    ScriptFile: create, %2zu writes, close    %8.1f   one write: %8.1f\n",
                 (bytes.size() + 127) / 128,
                 MicrosecondsPerCall([&] { ScriptFileOnly(path); }, part_batches, iterations),
                 MicrosecondsPerCall([&] { RawWrite(path, bytes); }, part_batches, iterations));
    const HANDLE sink = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                    CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    std::wprintf(L"    one WriteFile of 128 bytes              %8.1f\n",
                 MicrosecondsPerCall(
                     [&] {
                         DWORD written = 0;
                         WriteFile(sink, bytes.data(), 128, &written, nullptr);
                     },
                     part_batches, iterations));
    CloseHandle(sink);
    orlivane::WriteConnectionScript(kCode);  // leave the real file behind

    bench::PrintRow(L"Launch cost: WriteConnectionScript (median per launch)",
                    bench::Format(L"%.1f \u00b5s", launcher_median),
                    bench::Format(L"%.1f \u00b5s", floor_median),
                    bench::Format(L"%.2f\u00d7", ratio), L"\u2264 2\u00d7 floor; < 1 ms",
                    ratio <= 2.0 && launcher_median < 1000.0 ? L"met" : L"MISSED");
    return 0;
}
