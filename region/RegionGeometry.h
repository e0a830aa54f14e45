// Rectangle rules of the two region windows (the flashing frame and the region
// selector), kept free of the window system so that both builds test them.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "engine/ScreenRect.h"

namespace engine {

// A box as GDI takes it: right and bottom lie just outside.
struct BoxRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    bool Empty() const { return right <= left || bottom <= top; }
    bool Contains(int32_t x, int32_t y) const {
        return x >= left && x < right && y >= top && y < bottom;
    }
    bool operator==(const BoxRect&) const = default;
};

// --- The flashing frame -------------------------------------------------------

// Width of the band of corner marks around the framed rectangle.
constexpr int32_t kFrameBand = 8;

// The frame window's shape for a framed rectangle of width x height, relative
// to (left - 8, top - 8): the outer box minus the framed rectangle and minus a
// horizontal and a vertical strip through the middle of the sides, which
// leaves four L-shaped corner marks. A strip whose far edge does not lie past
// its near edge (frames too small for separate marks) cuts nothing.
struct FrameShape {
    BoxRect outer;
    BoxRect hole;
    BoxRect acrossStrip;  // cuts the left and right sides
    BoxRect downStrip;    // cuts the top and bottom sides
};
FrameShape MakeFrameShape(int32_t width, int32_t height);
// Whether the frame-relative pixel (x, y) belongs to a corner mark.
bool InFrameShape(const FrameShape& shape, int32_t x, int32_t y);

// The box FillBand paints, in screen pixels; the shape limits it to the marks.
BoxRect BandBox(const ScreenRect& framed);
// FillBand paints only a frame with room inside.
inline bool CanFillBand(const ScreenRect& framed) {
    return framed.left < framed.right && framed.top < framed.bottom;
}

// Moves the framed rectangle by (dx, dy) and pushes it back onto the screen
// without changing its size.
ScreenRect MoveFrameOnScreen(const ScreenRect& framed, int32_t dx, int32_t dy,
                             int32_t screenWidth, int32_t screenHeight);

// --- The region selector ------------------------------------------------------

// A selection with no area (the rule of IsRectEmpty): nothing to record.
inline bool IsEmptySelection(const ScreenRect& rect) {
    return !(rect.right > rect.left && rect.bottom > rect.top);
}

// The size label of a selection.
std::string SelectionLabel(const ScreenRect& rect);

// Where the label of a selection goes, for a text of textWidth x textHeight:
// above the rectangle when there is room, otherwise below it.
struct LabelLayout {
    int32_t x = 0;  // left of the rounded box
    int32_t y = 0;  // top of the text
    BoxRect box;    // the rounded box, also the screen area saved behind it
    int32_t textX = 0;
};
LabelLayout PlaceLabel(const ScreenRect& rect, int32_t textWidth, int32_t textHeight);

// The four 3-pixel strips of the rubber band, inverted to draw and again to
// erase: top, left, right, bottom. Strips of no area are empty boxes.
constexpr int32_t kRubberBandThickness = 3;
std::array<BoxRect, 4> RubberBandStrips(const ScreenRect& rect);

}  // namespace engine
