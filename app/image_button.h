// A flat image button: a picture above its caption on the window's face colour, with hover
// and pressed feedback. It acts when the pointer is released over it, as a push button
// does, and never takes the keyboard focus. Its window text is its caption and its
// accessible name.
#pragma once

#include <windows.h>

#include "artwork.h"

namespace orlivane {

inline constexpr wchar_t kImageButtonClass[] = L"OrlivaneImageButton";

// Sent to a button to say at which DPI it is drawn (wParam = DPI). The picture is rendered
// at the exact size for it.
inline constexpr UINT kImageButtonSetDpi = WM_APP + 1;

void RegisterImageButtonClass(HINSTANCE instance);

// The button notifies its parent with WM_COMMAND (id, BN_CLICKED) like a push button.
HWND CreateImageButton(HWND parent, int id, const wchar_t* caption, ArtworkImage image, int dpi);

}  // namespace orlivane

namespace orlivane {

// Acts as a release of the pointer over the button does: tells the parent it was clicked.
void ClickImageButton(HWND button);

// The pointer's state as the button shows it.
bool ImageButtonIsHot(HWND button);
bool ImageButtonIsPressed(HWND button);

}  // namespace orlivane
