// Start-up time and peak working set of the launcher against the bare window program.
//
//   startup_timer --bare PATH [--orlivane PATH] [--pairs N] [--warmup N]
//
// Each run starts the program, waits until its top-level "Orlivane" window is visible and
// WaitForInputIdle has returned, records the time since just before CreateProcessW and the
// child's PeakWorkingSetSize, then closes the window with WM_CLOSE and waits for the exit.
// The launcher runs twice per round: with a stored server (launch mode) and with an empty
// one; the order of the three runs rotates from round to round.
#include <cwchar>
#include <string>
#include <vector>

#include "bench_common.h"
#include "registry_store.h"
#include "setting_names.h"

namespace {

struct Target {
    std::wstring label;
    std::wstring exe;
    const wchar_t* window_class;
    const wchar_t* server;  // stored before each run; null leaves the registry alone
    std::vector<double> start_ms;
    std::vector<double> peak_kib;
};

struct Run {
    double ms = 0;
    double peak_kib = 0;
    std::wstring error;
};

std::wstring Folder(const std::wstring& path) {
    const auto slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring(L".") : path.substr(0, slash);
}

Run RunOnce(const Target& target) {
    Run run;
    if (target.server)
        orlivane::SetRegistry(orlivane::kSectionOrlivane, orlivane::kKeyServer,
                              orlivane::SettingValue::Text(target.server));
    std::wstring command = L"\"" + target.exe + L"\"";
    const std::wstring folder = Folder(target.exe);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};

    const bench::Stopwatch clock;
    if (!CreateProcessW(target.exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &process)) {
        run.error = L"CreateProcess failed, error " + std::to_wstring(GetLastError());
        return run;
    }
    HWND window = nullptr;
    while (!(window = bench::FindShownWindow(process.dwProcessId, target.window_class,
                                             L"Orlivane"))) {
        if (WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0) {
            run.error = L"exited before showing its window";
            break;
        }
        if (clock.ElapsedMs() > 20000) {
            run.error = L"no visible window within 20 s";
            TerminateProcess(process.hProcess, 1);
            break;
        }
    }
    if (window) {
        const DWORD idle = WaitForInputIdle(process.hProcess, 20000);
        run.ms = clock.ElapsedMs();
        if (idle != 0) run.error = L"WaitForInputIdle returned " + std::to_wstring(idle);
        PROCESS_MEMORY_COUNTERS memory{};
        memory.cb = sizeof memory;
        if (GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory))
            run.peak_kib = static_cast<double>(memory.PeakWorkingSetSize) / 1024.0;
        PostMessageW(window, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
            run.error = L"did not exit within 10 s of WM_CLOSE";
            TerminateProcess(process.hProcess, 1);
            WaitForSingleObject(process.hProcess, 5000);
        }
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return run;
}

void Summarise(const Target& t) {
    const auto [min, max] = std::minmax_element(t.start_ms.begin(), t.start_ms.end());
    std::wprintf(L"  %-34ls start median %7.1f ms (min %.1f, max %.1f, n=%zu), "
                 L"peak working set median %.0f KiB\n",
                 t.label.c_str(), bench::Median(t.start_ms), *min, *max, t.start_ms.size(),
                 bench::Median(t.peak_kib));
}

void CompareRow(const std::wstring& measure, double value, double reference, const wchar_t* unit,
                double limit) {
    const double ratio = value / reference;
    bench::PrintRow(measure, bench::Format(L"%.1f ", value) + unit,
                    bench::Format(L"%.1f ", reference) + unit, bench::Format(L"%.2f\u00d7", ratio),
                    bench::Format(L"\u2264 %.2f\u00d7", limit), ratio <= limit ? L"met" : L"MISSED");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::wstring bare_exe, orlivane_exe;
    int pairs = 20, warmup = 3;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::wstring option = argv[i];
        if (option == L"--bare") bare_exe = argv[i + 1];
        else if (option == L"--orlivane") orlivane_exe = argv[i + 1];
        else if (option == L"--pairs") pairs = _wtoi(argv[i + 1]);
        else if (option == L"--warmup") warmup = _wtoi(argv[i + 1]);
    }
    if (bare_exe.empty() || pairs < 1 || warmup < 0) {
        std::fwprintf(stderr, L"usage: startup_timer --bare PATH [--orlivane PATH] "
                              L"[--pairs N] [--warmup N]\n");
        return 2;
    }

    std::vector<Target> targets;
    targets.push_back({L"bare window", bare_exe, L"OrlivaneBenchBareWindow", nullptr, {}, {}});
    const bool have_orlivane =
        !orlivane_exe.empty() && GetFileAttributesW(orlivane_exe.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (have_orlivane) {
        targets.push_back({L"orlivane.exe, server stored", orlivane_exe, L"TfrmOrlivane",
                           L"bench01", {}, {}});
        targets.push_back({L"orlivane.exe, server empty", orlivane_exe, L"TfrmOrlivane", L"",
                           {}, {}});
    } else {
        std::wprintf(L"SKIPPED orlivane.exe start-up: '%ls' does not exist yet; measuring the "
                     L"bare window alone\n",
                     orlivane_exe.c_str());
    }

    const std::size_t count = targets.size();
    for (int round = -warmup; round < pairs; ++round) {
        for (std::size_t k = 0; k < count; ++k) {
            Target& target = targets[(k + static_cast<std::size_t>(round + warmup)) % count];
            const Run run = RunOnce(target);
            if (!run.error.empty()) {
                std::fwprintf(stderr, L"%ls: %ls\n", target.label.c_str(), run.error.c_str());
                return 1;
            }
            if (round < 0) continue;
            target.start_ms.push_back(run.ms);
            target.peak_kib.push_back(run.peak_kib);
        }
    }
    if (have_orlivane)  // leave the prefix in launch mode for whatever runs next
        orlivane::SetRegistry(orlivane::kSectionOrlivane, orlivane::kKeyServer,
                              orlivane::SettingValue::Text(L"bench01"));

    std::wprintf(L"Start-up, %d alternated rounds after %d warm-up rounds:\n", pairs, warmup);
    for (const Target& target : targets) Summarise(target);

    const double bare_ms = bench::Median(targets[0].start_ms);
    const double bare_kib = bench::Median(targets[0].peak_kib);
    if (!have_orlivane) {
        bench::PrintRow(L"Start-up to shown and idle (median)", L"not built yet",
                        bench::Format(L"%.1f ms", bare_ms), L"\u2014", L"\u2264 1.15\u00d7",
                        L"not run");
        bench::PrintRow(L"Peak working set after show (median)", L"not built yet",
                        bench::Format(L"%.0f KiB", bare_kib), L"\u2014", L"\u2264 1.50\u00d7",
                        L"not run");
        return 0;
    }
    CompareRow(L"Start-up to shown and idle, server stored (median)",
               bench::Median(targets[1].start_ms), bare_ms, L"ms", 1.15);
    CompareRow(L"Start-up to shown and idle, server empty (median)",
               bench::Median(targets[2].start_ms), bare_ms, L"ms", 1.15);
    CompareRow(L"Peak working set after show, server stored (median)",
               bench::Median(targets[1].peak_kib), bare_kib, L"KiB", 1.5);
    CompareRow(L"Peak working set after show, server empty (median)",
               bench::Median(targets[2].peak_kib), bare_kib, L"KiB", 1.5);
    return 0;
}
