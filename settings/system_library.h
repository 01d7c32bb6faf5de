// Functions of Windows system DLLs that are needed only on some paths (a launch, a screen
// reader's question, a locale-aware conversion) are looked up when first used, so that
// start-up does not pay for loading their DLLs. Only the system folder is searched.
#pragma once

#include <windows.h>

namespace orlivane {

// The function's address, or nullptr when the DLL or the function is missing. The DLL
// stays loaded for the rest of the run.
FARPROC SystemFunction(const wchar_t* dll, const char* name);

template <typename Function>
Function SystemFunctionAs(const wchar_t* dll, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(SystemFunction(dll, name)));
}

// Joins this thread to a single-threaded COM apartment, once, as the shell and the
// accessibility objects expect of a window thread.
void EnsureComApartment();

}  // namespace orlivane
