// Long runs that show leaks: handle, GDI and USER counts before and after each phase.
//
//   endurance [--launches N] [--cycles N] [--toggles N] [--orlivane PATH]
//
// 1. N launches through the real shell hand-over (CreateScriptAndLaunch) to the .rdp
//    handler registered in the prefix, which does nothing.
// 2. N read-compose-write cycles of the connection file (WriteConnectionScript).
// 3. N settings-mode toggles of the running launcher window, clicked with
//    WM_LBUTTONDOWN/WM_LBUTTONUP on its Settings/Save button from this process, counting
//    the launcher's own objects through OpenProcess.
//
// Counts are taken before a phase, after its first few iterations (one-time set-up such as
// loading the shell's libraries belongs there) and at its end; a phase keeps its target
// when nothing grows between the last two. The exit code tells only whether every phase
// could run.
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cwchar>
#include <string>
#include <vector>

#include "application_code.h"
#include "bench_common.h"
#include "launch.h"
#include "registry_store.h"
#include "setting_names.h"

namespace {

constexpr long kAllowedGrowth = 2;  // caches that fill once, never per iteration

std::wstring Transition(long before, long after) {
    return before < 0 ? std::wstring(L"n/a")
                      : std::to_wstring(before) + L"\u2192" + std::to_wstring(after);
}

// Prints the counts and the summary row: whether anything grew after the warm-up.
void Report(const std::wstring& measure, const bench::ProcessCounts& before,
            const bench::ProcessCounts& warm, const bench::ProcessCounts& after) {
    bench::PrintCounts(L"before", before);
    bench::PrintCounts(L"after warm-up", warm);
    bench::PrintCounts(L"after", after);
    const bool ok = after.handles - warm.handles <= kAllowedGrowth &&
                    (warm.gdi < 0 || after.gdi - warm.gdi <= kAllowedGrowth) &&
                    (warm.user < 0 || after.user - warm.user <= kAllowedGrowth);
    // Wine reports no private bytes; the working set stands in for them there.
    const bool have_private = warm.private_bytes != 0;
    const double memory_growth_kib =
        (have_private ? static_cast<double>(after.private_bytes) -
                            static_cast<double>(warm.private_bytes)
                      : static_cast<double>(after.working_set) -
                            static_cast<double>(warm.working_set)) /
        1024.0;
    bench::PrintRow(measure,
                    L"handles " + Transition(warm.handles, after.handles) + L", GDI " +
                        Transition(warm.gdi, after.gdi) + L", USER " +
                        Transition(warm.user, after.user) +
                        bench::Format(have_private ? L", private %+.0f KiB"
                                                   : L", working set %+.0f KiB",
                                      memory_growth_kib),
                    L"\u2014", L"\u2014", L"no growth", ok ? L"met" : L"MISSED");
}

bench::ProcessCounts OwnCounts() { return bench::ReadCounts(GetCurrentProcess(), GetCurrentProcessId()); }

// The association must really start a handler, or the launches would measure nothing:
// CreateScriptAndLaunch hides every failure.
bool HandlerRuns() {
    orlivane::WriteConnectionScript(orlivane::scrTressik);
    const std::wstring script = orlivane::ScriptPath();
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS;
    info.lpVerb = L"open";
    info.lpFile = script.c_str();
    info.nShow = SW_SHOW;
    if (!ShellExecuteExW(&info)) {
        std::fwprintf(stderr, L"endurance: no handler opens %ls (error %lu); register the no-op "
                              L".rdp handler first (scripts/bench.sh does)\n",
                      script.c_str(), GetLastError());
        return false;
    }
    if (info.hProcess) {
        WaitForSingleObject(info.hProcess, 10000);
        CloseHandle(info.hProcess);
    }
    return true;
}

bool LaunchPhase(int launches) {
    std::wprintf(L"Phase 1: %d launches through the shell\n", launches);
    if (!HandlerRuns()) return false;
    const int warmup = std::min(10, launches);
    const auto before = OwnCounts();
    const bench::Stopwatch clock;
    for (int i = 0; i < warmup; ++i) orlivane::CreateScriptAndLaunch(1 + i % 7, nullptr);
    const auto warm = OwnCounts();
    for (int i = warmup; i < launches; ++i) orlivane::CreateScriptAndLaunch(1 + i % 7, nullptr);
    const double ms = clock.ElapsedMs();
    std::wprintf(L"  %.2f ms per launch including the handler's start\n", ms / launches);
    Report(L"Endurance: " + std::to_wstring(launches) + L" shell launches", before, warm,
           OwnCounts());
    return true;
}

bool WritePhase(int cycles) {
    std::wprintf(L"Phase 2: %d read-compose-write cycles\n", cycles);
    const int warmup = std::min(10, cycles);
    const auto before = OwnCounts();
    const bench::Stopwatch clock;
    for (int i = 0; i < warmup; ++i) orlivane::WriteConnectionScript(1 + i % 7);
    const auto warm = OwnCounts();
    for (int i = warmup; i < cycles; ++i) orlivane::WriteConnectionScript(1 + i % 7);
    std::wprintf(L"  %.1f us per cycle\n", clock.ElapsedMs() * 1000.0 / cycles);
    Report(L"Endurance: " + std::to_wstring(cycles) + L" WriteConnectionScript cycles", before,
           warm, OwnCounts());
    return true;
}

// The launcher's Settings/Save button: the image button whose text is one of the two,
// else the eighth image button.
HWND FindSettingsButton(HWND main) {
    std::vector<HWND> buttons;
    EnumChildWindows(
        main,
        [](HWND child, LPARAM param) -> BOOL {
            if (bench::ClassName(child) == L"OrlivaneImageButton")
                reinterpret_cast<std::vector<HWND>*>(param)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&buttons));
    for (HWND button : buttons) {
        const std::wstring text = bench::WindowText(button);
        if (text == L"Settings" || text == L"Save") return button;
    }
    return buttons.size() >= 8 ? buttons[7] : nullptr;
}

// Clicks the button with messages and waits until its text reads `expected`.
bool Toggle(HWND main, const std::wstring& expected) {
    const HWND button = FindSettingsButton(main);
    if (!button) return false;
    RECT client{};
    GetClientRect(button, &client);
    const LPARAM centre = MAKELPARAM(client.right / 2, client.bottom / 2);
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(button, WM_LBUTTONDOWN, MK_LBUTTON, centre, SMTO_ABORTIFHUNG, 5000,
                             &result) ||
        !SendMessageTimeoutW(button, WM_LBUTTONUP, 0, centre, SMTO_ABORTIFHUNG, 5000, &result))
        return false;
    const bench::Stopwatch clock;
    for (;;) {
        const HWND now = FindSettingsButton(main);
        if (now && bench::WindowText(now) == expected) break;
        if (clock.ElapsedMs() > 5000) return false;
        Sleep(1);
    }
    // Paint what changed now, so that the drawing code runs once per toggle too.
    RedrawWindow(main, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    return true;
}

bool TogglePhase(const std::wstring& exe, int toggles) {
    std::wprintf(L"Phase 3: %d settings-mode toggles of the launcher window\n", toggles);
    const std::wstring measure = L"Endurance: " + std::to_wstring(toggles) +
                                 L" settings toggles (orlivane.exe, counted from outside)";
    if (exe.empty() || GetFileAttributesW(exe.c_str()) == INVALID_FILE_ATTRIBUTES) {
        std::wprintf(L"SKIPPED phase 3: orlivane.exe not found at '%ls'\n", exe.c_str());
        bench::PrintRow(measure, L"not built yet", L"\u2014", L"\u2014", L"no growth", L"not run");
        return true;
    }
    orlivane::SetRegistry(orlivane::kSectionOrlivane, orlivane::kKeyServer,
                          orlivane::SettingValue::Text(L"bench01"));
    std::wstring command = L"\"" + exe + L"\"";
    const std::wstring folder = exe.substr(0, exe.find_last_of(L"\\/"));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &process)) {
        std::fwprintf(stderr, L"endurance: cannot start %ls (error %lu)\n", exe.c_str(),
                      GetLastError());
        return false;
    }
    CloseHandle(process.hThread);
    HWND main = nullptr;
    const bench::Stopwatch started;
    while (!(main = bench::FindShownWindow(process.dwProcessId, L"TfrmOrlivane", L"Orlivane")) &&
           started.ElapsedMs() < 20000)
        Sleep(5);
    bool ok = main && WaitForInputIdle(process.hProcess, 20000) == 0;
    if (!ok) std::fwprintf(stderr, L"endurance: the launcher window did not appear\n");

    constexpr DWORD kAccess = PROCESS_QUERY_INFORMATION | PROCESS_VM_READ | PROCESS_DUP_HANDLE;
    const HANDLE target = OpenProcess(kAccess, FALSE, process.dwProcessId);
    if (ok && !target) {
        std::fwprintf(stderr, L"endurance: OpenProcess failed, error %lu\n", GetLastError());
        ok = false;
    }
    if (ok && !FindSettingsButton(main)) {
        std::fwprintf(stderr, L"endurance: no Settings button (class OrlivaneImageButton)\n");
        ok = false;
    }
    if (ok) {
        const auto counts = [&] { return bench::ReadCounts(target, process.dwProcessId); };
        const std::wstring first = bench::WindowText(FindSettingsButton(main));
        const std::wstring second = first == L"Save" ? L"Settings" : L"Save";
        const auto before = counts();
        const int warmup = std::min(4, toggles);
        int done = 0;
        while (ok && done < warmup) ok = Toggle(main, done++ % 2 ? first : second);
        const auto warm = counts();
        const bench::Stopwatch clock;
        while (ok && done < toggles) ok = Toggle(main, done++ % 2 ? first : second);
        if (ok) {
            std::wprintf(L"  %.2f ms per toggle\n", clock.ElapsedMs() / std::max(1, toggles - warmup));
            Report(measure, before, warm, counts());
        } else {
            std::fwprintf(stderr, L"endurance: toggle %d did not turn the button's text to '%ls'\n",
                          done, (done - 1) % 2 ? first.c_str() : second.c_str());
        }
    }
    if (target) CloseHandle(target);
    if (main) PostMessageW(main, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
        std::fwprintf(stderr, L"endurance: the launcher did not exit after WM_CLOSE\n");
        TerminateProcess(process.hProcess, 1);
        ok = false;
    }
    CloseHandle(process.hProcess);
    return ok;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    int launches = 1000, cycles = 10000, toggles = 2000;
    std::wstring orlivane_exe;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::wstring option = argv[i];
        if (option == L"--launches") launches = _wtoi(argv[i + 1]);
        else if (option == L"--cycles") cycles = _wtoi(argv[i + 1]);
        else if (option == L"--toggles") toggles = _wtoi(argv[i + 1]);
        else if (option == L"--orlivane") orlivane_exe = argv[i + 1];
    }
    if (launches < 1 || cycles < 1 || toggles < 0) {
        std::fwprintf(stderr, L"usage: endurance [--launches N] [--cycles N] [--toggles N] "
                              L"[--orlivane PATH]\n");
        return 2;
    }
    orlivane::SetRegistry(orlivane::kSectionOrlivane, orlivane::kKeyServer,
                          orlivane::SettingValue::Text(L"bench01"));
    orlivane::SetRegistry(orlivane::kSectionOrlivane, orlivane::kKeyBitness,
                          orlivane::SettingValue::Text(L"1"));
    bool ok = LaunchPhase(launches);
    ok = WritePhase(cycles) && ok;
    if (toggles > 0) ok = TogglePhase(orlivane_exe, toggles) && ok;
    return ok ? 0 : 1;
}
