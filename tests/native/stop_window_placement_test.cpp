// Where the floating stop window goes beside the recorded rectangle.
#include <gtest/gtest.h>

#include <climits>

#include "controls/StopWindowPlacement.h"

namespace {

using stopwnd::Box;
using stopwnd::ScreenSize;

constexpr ScreenSize kScreen{1280, 1024};
constexpr int kW = 52, kH = 54;

struct Place {
    bool found;
    int32_t x, y;
};

Place PlaceBeside(Box rect, ScreenSize screen = kScreen) {
    Place p{false, -7777, -7777};
    p.found = stopwnd::PlaceBesideRect(rect, kW, kH, screen, p.x, p.y);
    return p;
}

TEST(PlaceBesideRect, TriesBelowAboveRightLeftInThatOrder) {
    // Room below: directly below, flush with the region's right edge.
    Place below = PlaceBeside({100, 100, 400, 300});
    EXPECT_TRUE(below.found);
    EXPECT_EQ(below.x, 400 - kW);
    EXPECT_EQ(below.y, 300);

    // No room below: above, left edges aligned.
    Place above = PlaceBeside({100, 900, 400, 1000});
    EXPECT_TRUE(above.found);
    EXPECT_EQ(above.x, 100);
    EXPECT_EQ(above.y, 900 - kH);

    // Neither below nor above: to the right, tops aligned.
    Place right = PlaceBeside({100, 30, 400, 1000});
    EXPECT_TRUE(right.found);
    EXPECT_EQ(right.x, 400);
    EXPECT_EQ(right.y, 30);

    // Only the left is free: bottoms aligned.
    Place left = PlaceBeside({100, 30, 1250, 1000});
    EXPECT_TRUE(left.found);
    EXPECT_EQ(left.x, 100 - kW);
    EXPECT_EQ(left.y, 1000 - kH);
}

TEST(PlaceBesideRect, FullScreenRegionLeavesNoPlaceAndNoPosition) {
    Place p = PlaceBeside({0, 0, 1280, 1024});
    EXPECT_FALSE(p.found);
    EXPECT_EQ(p.x, -7777);  // untouched
    EXPECT_EQ(p.y, -7777);
}

TEST(PlaceBesideRect, ScreenEdgesCountAsOffScreen) {
    // Above would start at x = 0, which is not strictly inside.
    EXPECT_FALSE(PlaceBeside({0, 200, 1240, 990}).found);
    Place shifted = PlaceBeside({1, 200, 1240, 990});
    EXPECT_TRUE(shifted.found);
    EXPECT_EQ(shifted.x, 1);
    EXPECT_EQ(shifted.y, 200 - kH);

    // To the right, a box reaching x = width exactly fails; one pixel less fits.
    EXPECT_FALSE(PlaceBeside({10, 20, 1280 - kW, 1000}).found);
    Place right = PlaceBeside({10, 20, 1280 - kW - 1, 1000});
    EXPECT_TRUE(right.found);
    EXPECT_EQ(right.x, 1280 - kW - 1);

    // Below, a box whose bottom reaches the screen height fails.
    Place notBelow = PlaceBeside({500, 500, 700, 1024 - kH});
    EXPECT_TRUE(notBelow.found);
    EXPECT_EQ(notBelow.y, 500 - kH);  // went above instead
    Place justBelow = PlaceBeside({500, 500, 700, 1024 - kH - 1});
    EXPECT_EQ(justBelow.y, 1024 - kH - 1);
}

TEST(PlaceBesideRect, ExtremeCoordinatesNeitherOverflowNorFit) {
    EXPECT_FALSE(PlaceBeside({INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}).found);
    EXPECT_FALSE(PlaceBeside({INT32_MAX - 10, INT32_MAX - 10, INT32_MAX, INT32_MAX}).found);
    EXPECT_FALSE(PlaceBeside({100, 100, 400, 300}, ScreenSize{0, 0}).found);
}

TEST(FallbackBesideRect, KeepsTheWindowWhollyOnScreen) {
    auto onScreen = [](int32_t x, int32_t y, ScreenSize s) {
        return stopwnd::IsOnScreen(x, y, s) && stopwnd::IsOnScreen(int64_t{x} + kW, int64_t{y} + kH, s);
    };
    int32_t x = 0, y = 0;
    stopwnd::FallbackBesideRect({0, 0, 1280, 1024}, kW, kH, kScreen, x, y);
    EXPECT_TRUE(onScreen(x, y, kScreen)) << x << "," << y;
    // Near the region's bottom-right corner, where the first place would be.
    EXPECT_EQ(x, 1280 - kW - 1);
    EXPECT_EQ(y, 1024 - kH - 1);

    stopwnd::FallbackBesideRect({-500, -500, -400, -400}, kW, kH, kScreen, x, y);
    EXPECT_TRUE(onScreen(x, y, kScreen)) << x << "," << y;

    stopwnd::FallbackBesideRect({INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, kW, kH, kScreen, x, y);
    EXPECT_TRUE(onScreen(x, y, kScreen)) << x << "," << y;

    // A screen smaller than the window still gets a position, not a negative one.
    stopwnd::FallbackBesideRect({0, 0, 40, 40}, kW, kH, ScreenSize{30, 30}, x, y);
    EXPECT_EQ(x, 1);
    EXPECT_EQ(y, 1);
}

}  // namespace
