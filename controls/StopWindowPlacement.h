// Where the floating stop window goes beside the recorded rectangle. No
// window system here: the screen size is given.
#pragma once

#include <cstdint>

namespace stopwnd {

// A rectangle whose right and bottom edges lie just outside it
// (left + width, top + height).
struct Box {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

struct ScreenSize {
    int32_t width = 0;
    int32_t height = 0;
};

// Strictly inside the screen: 0 < x < width and 0 < y < height.
bool IsOnScreen(int64_t x, int64_t y, ScreenSize screen);

// The first of four places beside `rect` where a width x height window has
// all four corners on the screen: below with right edges aligned, above with
// left edges aligned, right with tops aligned, left with bottoms aligned.
// False, with x and y untouched, when none fits.
bool PlaceBesideRect(const Box& rect, int32_t width, int32_t height, ScreenSize screen, int32_t& x,
                     int32_t& y);

// Where the window goes when no place fits (a region as large as the screen):
// the first place, pulled onto the screen, so the button stays reachable.
void FallbackBesideRect(const Box& rect, int32_t width, int32_t height, ScreenSize screen,
                        int32_t& x, int32_t& y);

}  // namespace stopwnd
