#include <gtest/gtest.h>

#include "error_text.h"
#include "window_layout.h"

namespace orlivane {
namespace {

TEST(WindowLayout, ScalingRoundsLikeMulDiv) {
    const struct {
        int value, dpi, expected;
    } cases[] = {
        {789, 96, 789},  {789, 144, 1184}, {177, 144, 266}, {97, 120, 121},
        {113, 120, 141}, {64, 168, 112},   {64, 216, 144},  {-3, 144, -5},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ScaleForDpi(c.value, c.dpi), c.expected) << c.value << "@" << c.dpi;
}

TEST(WindowLayout, HalvesRoundToEven) {
    EXPECT_EQ(RoundHalfEven(394.5), 394);
    EXPECT_EQ(RoundHalfEven(395.5), 396);
    EXPECT_EQ(RoundHalfEven(592.0), 592);
    EXPECT_EQ(RoundHalfEven(2.4999), 2);
    EXPECT_EQ(RoundHalfEven(-0.5), 0);
    EXPECT_EQ(RoundHalfEven(-1.5), -2);
}

TEST(WindowLayout, SettingsColumns) {
    // 96 DPI: both columns 314 wide, at 16 and 346.
    const SettingsColumns at96 = ComputeSettingsColumns(789);
    EXPECT_EQ(at96.server_left, 16);
    EXPECT_EQ(at96.bitness_left, 346);
    EXPECT_EQ(at96.width, 314);
    // 150 %: client 1184, the offsets stay plain pixels.
    const SettingsColumns at144 = ComputeSettingsColumns(1184);
    EXPECT_EQ(at144.width, 512);
    EXPECT_EQ(at144.bitness_left, 544);
    // An odd half goes to the even neighbour: 791 / 2 = 395.5 -> 396.
    EXPECT_EQ(ComputeSettingsColumns(791).width, 316);
    EXPECT_EQ(SettingsFieldTop(0, 39), 43);
}

TEST(WindowLayout, PlacementCountsFromTheWorkAreaSize) {
    const Point bottom_taskbar = BottomRightPlacement(1920, 1040, 795, 200);
    EXPECT_EQ(bottom_taskbar.x, 1920 - 795 - 32);
    EXPECT_EQ(bottom_taskbar.y, 1040 - 200 - 32);
}

TEST(ErrorText, FullStopAddedUnlessTheMessageEndsInOneOrLower) {
    // ')' and '\'' are below '.': the two messages the launcher raises are shown unchanged.
    EXPECT_EQ(
        ErrorBoxText(L"Could not convert variant of type (UnicodeString) into type (Integer)"),
        L"Could not convert variant of type (UnicodeString) into type (Integer)");
    EXPECT_EQ(ErrorBoxText(L"System error 5"), L"System error 5.");
    EXPECT_EQ(ErrorBoxText(L"Access denied"), L"Access denied.");
    EXPECT_EQ(ErrorBoxText(L"Failed to set data for 'Server'"), L"Failed to set data for 'Server'");
    EXPECT_EQ(ErrorBoxText(L"Done."), L"Done.");
    EXPECT_EQ(ErrorBoxText(L"Trailing blank "), L"Trailing blank ");
    EXPECT_EQ(ErrorBoxText(L"path/"), L"path/.");  // '/' is above '.'
    EXPECT_EQ(ErrorBoxText(L""), L"");
}

}  // namespace
}  // namespace orlivane
