#include "region/RegionGeometry.h"

#include <cstdio>

namespace engine {
namespace {

// A strip given edge to edge; one whose far edge is not past its near edge
// stays empty instead of being turned around.
BoxRect Strip(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    if (right <= left || bottom <= top) return {left, top, left, top};
    return {left, top, right, bottom};
}

}  // namespace

FrameShape MakeFrameShape(int32_t width, int32_t height) {
    // The right and bottom arms come out 27 pixels long and the band there
    // 7 pixels wide: that is the frame's established look.
    FrameShape shape;
    shape.outer = {0, 0, width + 15, height + 15};
    shape.hole = {kFrameBand, kFrameBand, width + kFrameBand, height + kFrameBand};
    shape.acrossStrip = Strip(0, 24, width + 15, height - 12);
    shape.downStrip = Strip(24, 0, width - 12, height + 15);
    return shape;
}

bool InFrameShape(const FrameShape& shape, int32_t x, int32_t y) {
    return shape.outer.Contains(x, y) && !shape.hole.Contains(x, y) &&
           !shape.acrossStrip.Contains(x, y) && !shape.downStrip.Contains(x, y);
}

BoxRect BandBox(const ScreenRect& framed) {
    return {framed.left - kFrameBand, framed.top - kFrameBand, framed.right + kFrameBand,
            framed.bottom + kFrameBand};
}

ScreenRect MoveFrameOnScreen(const ScreenRect& framed, int32_t dx, int32_t dy,
                             int32_t screenWidth, int32_t screenHeight) {
    const int32_t spanX = framed.right - framed.left;
    const int32_t spanY = framed.bottom - framed.top;
    ScreenRect moved{framed.left + dx, framed.top + dy, framed.right + dx, framed.bottom + dy};
    if (moved.left < 0) {
        moved.left = 0;
        moved.right = spanX;
    }
    if (moved.top < 0) {
        moved.top = 0;
        moved.bottom = spanY;
    }
    if (moved.right > screenWidth - 1) {
        moved.right = screenWidth - 1;
        moved.left = screenWidth - 1 - spanX;
    }
    if (moved.bottom > screenHeight - 1) {
        moved.bottom = screenHeight - 1;
        moved.top = screenHeight - 1 - spanY;
    }
    return moved;
}

std::string SelectionLabel(const ScreenRect& rect) {
    char text[128];
    std::snprintf(text, sizeof text, "Left : %d  Top : %d  Width : %d  Height : %d", rect.left,
                  rect.top, rect.right - rect.left + 1, rect.bottom - rect.top + 1);
    return text;
}

LabelLayout PlaceLabel(const ScreenRect& rect, int32_t textWidth, int32_t textHeight) {
    LabelLayout layout;
    layout.x = rect.left + 6;
    layout.y = rect.top >= textHeight + 5 ? rect.top - (textHeight + 5) : rect.bottom + 5;
    layout.box = {layout.x, layout.y - 4, rect.left + textWidth + 14, layout.y + textHeight + 4};
    layout.textX = rect.left + 10;
    return layout;
}

std::array<BoxRect, 4> RubberBandStrips(const ScreenRect& rect) {
    constexpr int32_t t = kRubberBandThickness;
    return {
        Strip(rect.left, rect.top, rect.right, rect.top + t),
        Strip(rect.left, rect.top + t, rect.left + t, rect.bottom - t),
        Strip(rect.right - t, rect.top + t, rect.right, rect.bottom - t),
        Strip(rect.left, rect.bottom - t, rect.right, rect.bottom),
    };
}

}  // namespace engine
