// Painting of the region selector's rubber band: a hatched frame inverted onto
// the screen and a size label whose screen pixels are saved before it is drawn
// and put back when it is erased.
#pragma once

#include <windows.h>

#include <string>

#include "engine/ScreenRect.h"
#include "framework/Gdi.h"

// The screen pixels under the label, saved while the label is shown.
struct LabelBacking {
    fw::Bitmap pixels;
    POINT at{};
};

// Draws (draw = true) or erases the band of `rect` on `dc`. An empty rectangle
// draws nothing. Returns the label text drawn, or "" when nothing was drawn.
std::string PaintRubberBand(HDC dc, const ScreenRect& rect, LabelBacking& backing, bool draw);
