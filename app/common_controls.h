// The themed common controls (version 6, as the manifest asks) are loaded only when the
// settings controls are first needed: most starts show only the image buttons, and
// loading the library is a noticeable part of a start.
#pragma once

#include <windows.h>
#include <commctrl.h>

namespace orlivane {

struct CommonControls {
    decltype(&SetWindowSubclass) set_window_subclass = nullptr;
    decltype(&DefSubclassProc) def_subclass_proc = nullptr;
    decltype(&RemoveWindowSubclass) remove_window_subclass = nullptr;
    explicit operator bool() const {
        return set_window_subclass && def_subclass_proc && remove_window_subclass;
    }
};

// Loads and initialises the library once; the functions are null if that failed.
const CommonControls& LoadCommonControls();

}  // namespace orlivane
