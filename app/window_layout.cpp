#include "window_layout.h"

#include <cmath>

namespace orlivane {

int ScaleForDpi(int value, int dpi) {
    const std::int64_t product = static_cast<std::int64_t>(value) * dpi;
    const std::int64_t half = kDesignDpi / 2;
    return static_cast<int>(product >= 0 ? (product + half) / kDesignDpi
                                         : -((-product + half) / kDesignDpi));
}

std::int64_t RoundHalfEven(double value) {
    const double floor = std::floor(value);
    const double fraction = value - floor;
    auto result = static_cast<std::int64_t>(floor);
    if (fraction > 0.5 || (fraction == 0.5 && result % 2 != 0)) ++result;
    return result;
}

SettingsColumns ComputeSettingsColumns(int client_width) {
    constexpr int kLeft = 16;
    constexpr int kGap = 16;
    constexpr int kNarrowing = 80;
    const int width = static_cast<int>(RoundHalfEven(client_width / 2.0)) - kNarrowing;
    return {kLeft, kLeft + width + kGap, width};
}

int SettingsFieldTop(int bitness_label_top, int bitness_label_height) {
    return bitness_label_top + bitness_label_height + 4;
}

Point BottomRightPlacement(int work_width, int work_height, int window_width, int window_height) {
    return {work_width - window_width - 32, work_height - window_height - 32};
}

}  // namespace orlivane
