// The window's geometry: every size is designed at 96 DPI and scaled to the monitor's DPI.
// Platform-neutral so the arithmetic is tested on its own.
#pragma once

#include <array>
#include <cstdint>

namespace orlivane {

inline constexpr int kDesignDpi = 96;

inline constexpr int kClientWidth = 789;
inline constexpr int kClientHeight = 177;
inline constexpr int kButtonTop = 24;
inline constexpr int kButtonWidth = 97;
inline constexpr int kButtonHeight = 113;
inline constexpr int kImageSize = 64;

// Lefts of the image buttons in window order: Tressik, Outlook, Word, Excel, Chrome,
// Explorer, Log Off, Settings.
inline constexpr std::array<int, 8> kButtonLefts = {0, 107, 204, 301, 398, 495, 592, 689};

// Scales a 96-DPI length: the product rounded to the nearest integer, halves away from
// zero, as MulDiv does.
int ScaleForDpi(int value, int dpi);

// Rounds halves to the even neighbour.
std::int64_t RoundHalfEven(double value);

// The two settings columns above the button row. The offsets are plain pixels; only the
// client width they are combined with follows the DPI.
struct SettingsColumns {
    int server_left;
    int bitness_left;
    int width;
};
SettingsColumns ComputeSettingsColumns(int client_width);

// Top of the edit box and the list: under the bitness label as it wraps at its width.
int SettingsFieldTop(int bitness_label_top, int bitness_label_height);

// The window's position: 32 pixels in from the work area's size, counted from the origin.
struct Point {
    int x, y;
};
Point BottomRightPlacement(int work_width, int work_height, int window_width, int window_height);

}  // namespace orlivane
