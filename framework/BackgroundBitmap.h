// A control's background picture: a bitmap file loaded as a DIB section, its
// size, and the palette it is painted with on palette displays.
#pragma once

#include <windows.h>

#include "framework/Gdi.h"

namespace fw {

class BackgroundBitmap {
public:
    // Loads `path` in place of the current picture. A null path, a missing
    // file or a bitmap without pixels leaves no picture and returns false.
    bool Load(const char* path);
    void Clear();

    HBITMAP Bitmap() const { return m_bitmap; }
    HPALETTE Palette() const { return m_palette; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    explicit operator bool() const { return static_cast<bool>(m_bitmap); }

private:
    fw::Bitmap m_bitmap;
    GdiObject<HPALETTE> m_palette;
    int m_width = 0;
    int m_height = 0;
};

}  // namespace fw
