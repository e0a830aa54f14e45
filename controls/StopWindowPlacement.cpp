#include "controls/StopWindowPlacement.h"

#include <algorithm>

namespace stopwnd {

bool IsOnScreen(int64_t x, int64_t y, ScreenSize screen) {
    return x > 0 && x < screen.width && y > 0 && y < screen.height;
}

bool PlaceBesideRect(const Box& rect, int32_t width, int32_t height, ScreenSize screen, int32_t& x,
                     int32_t& y) {
    const int64_t w = width, h = height;
    const int64_t candidates[4][2] = {
        {int64_t{rect.right} - w, rect.bottom},  // below, right edges aligned
        {rect.left, int64_t{rect.top} - h},      // above, left edges aligned
        {rect.right, rect.top},                  // right, tops aligned
        {int64_t{rect.left} - w, int64_t{rect.bottom} - h},  // left, bottoms aligned
    };
    for (const auto& c : candidates) {
        const int64_t cx = c[0], cy = c[1];
        if (IsOnScreen(cx, cy, screen) && IsOnScreen(cx + w, cy, screen) &&
            IsOnScreen(cx, cy + h, screen) && IsOnScreen(cx + w, cy + h, screen)) {
            x = static_cast<int32_t>(cx);
            y = static_cast<int32_t>(cy);
            return true;
        }
    }
    return false;
}

void FallbackBesideRect(const Box& rect, int32_t width, int32_t height, ScreenSize screen,
                        int32_t& x, int32_t& y) {
    // Keep one pixel off every edge, as the placement rule does; a screen too
    // small for the window gets it at its top-left corner.
    const int64_t maxX = std::max<int64_t>(1, int64_t{screen.width} - width - 1);
    const int64_t maxY = std::max<int64_t>(1, int64_t{screen.height} - height - 1);
    x = static_cast<int32_t>(std::clamp<int64_t>(int64_t{rect.right} - width, 1, maxX));
    y = static_cast<int32_t>(std::clamp<int64_t>(rect.bottom, 1, maxY));
}

}  // namespace stopwnd
