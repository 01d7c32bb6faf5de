// Shared pieces of the benchmark programs: a high-resolution stopwatch, medians, finding a
// program's main window, and reading a process's handle, GDI and USER object counts.
#pragma once

#include <windows.h>
#include <psapi.h>
#include <winternl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace bench {

class Stopwatch {
  public:
    Stopwatch() { Restart(); }
    void Restart() { QueryPerformanceCounter(&start_); }
    double ElapsedMs() const {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        return static_cast<double>(now.QuadPart - start_.QuadPart) * 1000.0 /
               static_cast<double>(Frequency());
    }

  private:
    static LONGLONG Frequency() {
        static const LONGLONG frequency = [] {
            LARGE_INTEGER f;
            QueryPerformanceFrequency(&f);
            return f.QuadPart;
        }();
        return frequency;
    }
    LARGE_INTEGER start_{};
};

inline double Median(std::vector<double> values) {
    if (values.empty()) return 0.0;
    const std::size_t middle = values.size() / 2;
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(middle),
                     values.end());
    const double upper = values[middle];
    if (values.size() % 2 != 0) return upper;
    return (*std::max_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(middle)) +
            upper) /
           2.0;
}

// One row of the summary table; scripts/bench.sh collects the lines that start with "ROW|".
// Written as UTF-8 bytes: the C runtime would turn the table's symbols into question marks.
inline void PrintRow(const std::wstring& measure, const std::wstring& orlivane,
                     const std::wstring& reference, const std::wstring& ratio,
                     const std::wstring& target, const std::wstring& result) {
    const std::wstring row = L"ROW|" + measure + L"|" + orlivane + L"|" + reference + L"|" +
                             ratio + L"|" + target + L"|" + result + L"\n";
    const int units = static_cast<int>(row.size());
    std::string utf8(static_cast<std::size_t>(
                         WideCharToMultiByte(CP_UTF8, 0, row.data(), units, nullptr, 0, nullptr,
                                             nullptr)),
                     '\0');
    WideCharToMultiByte(CP_UTF8, 0, row.data(), units, utf8.data(), static_cast<int>(utf8.size()),
                        nullptr, nullptr);
    std::fflush(stdout);
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
    std::fflush(stdout);
}

inline std::wstring Format(const wchar_t* format, double value) {
    wchar_t text[64];
    std::swprintf(text, 64, format, value);
    return text;
}

// The visible top-level window of process `pid` with this class and caption, or null.
inline HWND FindShownWindow(DWORD pid, const wchar_t* window_class, const wchar_t* caption) {
    struct Search {
        DWORD pid;
        const wchar_t* window_class;
        const wchar_t* caption;
        HWND found;
    } search{pid, window_class, caption, nullptr};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner != s.pid || !IsWindowVisible(window)) return TRUE;
            wchar_t text[64] = {};
            if (GetClassNameW(window, text, 64) == 0 || lstrcmpW(text, s.window_class) != 0)
                return TRUE;
            text[0] = L'\0';
            GetWindowTextW(window, text, 64);
            if (lstrcmpW(text, s.caption) != 0) return TRUE;
            s.found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A window's text read with WM_GETTEXT, which works across processes for every control.
inline std::wstring WindowText(HWND window) {
    wchar_t text[128] = {};
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, 128, reinterpret_cast<LPARAM>(text),
                             SMTO_ABORTIFHUNG, 2000, &copied))
        return {};
    return std::wstring(text, std::min<std::size_t>(copied, 127));
}

inline std::wstring ClassName(HWND window) {
    wchar_t text[128] = {};
    GetClassNameW(window, text, 128);
    return text;
}

// GDI objects counted from the process's GDI handle table (the PEB's GdiSharedHandleTable,
// entries of 24 bytes whose byte 14 is the object type). Used where GetGuiResources is not
// implemented, as under Wine, where that table is private to each process. -1 if unreadable.
inline long CountGdiFromHandleTable(HANDLE process) {
    using QueryFn = NTSTATUS(WINAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    static const auto query = reinterpret_cast<QueryFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
    if (!query) return -1;
    PROCESS_BASIC_INFORMATION info{};
    if (query(process, ProcessBasicInformation, &info, sizeof info, nullptr) != 0) return -1;
    constexpr std::size_t kPebGdiTableOffset = sizeof(void*) == 8 ? 0xF8 : 0x94;
    void* table = nullptr;
    if (!ReadProcessMemory(process,
                           reinterpret_cast<const char*>(info.PebBaseAddress) + kPebGdiTableOffset,
                           &table, sizeof table, nullptr) ||
        !table)
        return -1;
    constexpr std::size_t kEntrySize = sizeof(void*) == 8 ? 24 : 16;
    constexpr std::size_t kTypeOffset = sizeof(void*) == 8 ? 14 : 10;
    constexpr std::size_t kEntries = 0x4000;  // Wine's table size; read in chunks
    std::vector<unsigned char> chunk(kEntrySize * 1024);
    long count = 0;
    for (std::size_t first = 0; first < kEntries; first += 1024) {
        SIZE_T read = 0;
        if (!ReadProcessMemory(process, static_cast<const char*>(table) + first * kEntrySize,
                               chunk.data(), chunk.size(), &read) ||
            read != chunk.size())
            return first == 0 ? -1 : count;
        for (std::size_t i = 0; i < 1024; ++i)
            if (chunk[i * kEntrySize + kTypeOffset] != 0) ++count;
    }
    return count;
}

// Windows belonging to a process, top-level and child: the USER objects that leak in
// practice, counted where GetGuiResources is not implemented.
inline long CountWindows(DWORD pid) {
    struct Count {
        DWORD pid;
        long windows;
    } count{pid, 0};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto& c = *reinterpret_cast<Count*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner != c.pid) return TRUE;
            ++c.windows;
            EnumChildWindows(
                window,
                [](HWND, LPARAM p) -> BOOL {
                    ++reinterpret_cast<Count*>(p)->windows;
                    return TRUE;
                },
                param);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count.windows;
}

// Open handles counted by trying each handle value in turn, where GetProcessHandleCount
// reports none, as under Wine. Another process's handles are tried by duplicating them,
// which needs PROCESS_DUP_HANDLE. Stops after a long run of unused values.
inline long CountHandlesByProbing(HANDLE process, bool own) {
    long count = 0;
    int misses = 0;
    for (ULONG_PTR value = 4; misses < 4096 && value < (ULONG_PTR{1} << 24); value += 4) {
        const HANDLE handle = reinterpret_cast<HANDLE>(value);
        bool valid = false;
        if (own) {
            DWORD flags = 0;
            valid = GetHandleInformation(handle, &flags) != FALSE;
        } else {
            HANDLE copy = nullptr;
            valid = DuplicateHandle(process, handle, GetCurrentProcess(), &copy, 0, FALSE,
                                    DUPLICATE_SAME_ACCESS) != FALSE;
            if (valid) CloseHandle(copy);
        }
        if (valid) {
            ++count;
            misses = 0;
        } else {
            ++misses;
        }
    }
    return count;
}

struct ProcessCounts {
    long handles = -1;
    bool handles_probed = false;  // GetProcessHandleCount gave nothing: values tried
    long gdi = -1;
    long user = -1;
    bool gdi_from_table = false;  // GetGuiResources gave nothing: counted from the table
    bool user_from_windows = false;
    SIZE_T private_bytes = 0;
    SIZE_T working_set = 0;
};

inline ProcessCounts ReadCounts(HANDLE process, DWORD pid) {
    ProcessCounts counts;
    DWORD handles = 0;
    if (GetProcessHandleCount(process, &handles)) counts.handles = static_cast<long>(handles);
    if (counts.handles <= 0) {
        counts.handles = CountHandlesByProbing(process, pid == GetCurrentProcessId());
        counts.handles_probed = true;
    }
    SetLastError(0);
    counts.gdi = static_cast<long>(GetGuiResources(process, GR_GDIOBJECTS));
    if (counts.gdi == 0) {
        counts.gdi = CountGdiFromHandleTable(process);
        counts.gdi_from_table = true;
    }
    counts.user = static_cast<long>(GetGuiResources(process, GR_USEROBJECTS));
    if (counts.user == 0) {
        counts.user = CountWindows(pid);
        counts.user_from_windows = true;
    }
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                             sizeof memory)) {
        counts.private_bytes = memory.PrivateUsage;
        counts.working_set = memory.WorkingSetSize;
    }
    return counts;
}

inline void PrintCounts(const wchar_t* when, const ProcessCounts& c) {
    std::wprintf(L"  %-16ls handles=%ld%ls gdi=%ld%ls user=%ld%ls private=%.0f KiB ws=%.0f KiB\n",
                 when, c.handles, c.handles_probed ? L"(probed)" : L"", c.gdi, c.gdi_from_table ? L"(table)" : L"", c.user,
                 c.user_from_windows ? L"(windows)" : L"",
                 static_cast<double>(c.private_bytes) / 1024.0,
                 static_cast<double>(c.working_set) / 1024.0);
    std::fflush(stdout);
}

}  // namespace bench
