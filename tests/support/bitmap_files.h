// Reading bitmap files (the skin's pictures) to compare them with the screen.
#pragma once

#include <windows.h>

#include <string>

namespace pictures {

// A pixel of a bitmap file, or CLR_INVALID.
COLORREF BitmapPixel(const std::string& path, int x, int y);
// The size of a bitmap file; {0, 0} when it cannot be read.
SIZE BitmapSize(const std::string& path);
// Colours equal within a small tolerance (anti-aliased edges, dithering).
bool Near(COLORREF a, COLORREF b, int tolerance = 6);

}  // namespace pictures
