// The program's own top-level window. It carries the title and the program's single
// taskbar button (the launcher window itself is a tool window, which gets none), owns the
// launcher window, and passes the taskbar's commands on to it.
#pragma once

#include <windows.h>

namespace orlivane {

inline constexpr wchar_t kApplicationWindowClass[] = L"OrlivaneApplication";

void RegisterApplicationWindowClass(HINSTANCE instance);

// Created zero-sized, so only its taskbar button shows.
HWND CreateApplicationWindow(HINSTANCE instance, const wchar_t* title);

// The window the taskbar's commands go to; set once the launcher window exists.
void SetApplicationMainWindow(HWND application_window, HWND main_window);

}  // namespace orlivane
