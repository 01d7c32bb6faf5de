// What assistive technology is told about an image button: a push button named by its
// caption, whose default action presses it.
#pragma once

#include <windows.h>

namespace orlivane {

// Answers WM_GETOBJECT for OBJID_CLIENT.
LRESULT ButtonAccessibleResult(HWND button, WPARAM wparam, LPARAM lparam);

// Posted to a button by its accessible object's default action.
inline constexpr UINT kImageButtonAccessibleClick = WM_APP + 2;

}  // namespace orlivane
