#include "common_controls.h"

namespace orlivane {
namespace {

CommonControls Load() {
    CommonControls controls;
    // By name, not by path: the activation context of the manifest redirects the name to
    // the side-by-side version 6.
    HMODULE module = LoadLibraryW(L"comctl32.dll");
    if (!module) return controls;
    if (const auto initialize = reinterpret_cast<decltype(&InitCommonControlsEx)>(
            reinterpret_cast<void*>(GetProcAddress(module, "InitCommonControlsEx")))) {
        INITCOMMONCONTROLSEX classes{sizeof classes, ICC_STANDARD_CLASSES};
        initialize(&classes);
    }
    // Exported by ordinal only on older systems.
    const auto by_name_or_ordinal = [&](const char* name, WORD ordinal) {
        FARPROC function = GetProcAddress(module, name);
        return function ? function : GetProcAddress(module, MAKEINTRESOURCEA(ordinal));
    };
    controls.set_window_subclass = reinterpret_cast<decltype(&SetWindowSubclass)>(
        reinterpret_cast<void*>(by_name_or_ordinal("SetWindowSubclass", 410)));
    controls.remove_window_subclass = reinterpret_cast<decltype(&RemoveWindowSubclass)>(
        reinterpret_cast<void*>(by_name_or_ordinal("RemoveWindowSubclass", 412)));
    controls.def_subclass_proc = reinterpret_cast<decltype(&DefSubclassProc)>(
        reinterpret_cast<void*>(by_name_or_ordinal("DefSubclassProc", 413)));
    return controls;
}

}  // namespace

const CommonControls& LoadCommonControls() {
    static const CommonControls controls = Load();
    return controls;
}

}  // namespace orlivane
