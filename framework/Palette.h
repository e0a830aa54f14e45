// Palettes for windows that paint loaded bitmaps, for palette (256-colour)
// displays; on true-colour displays these do nothing visible.
#pragma once

#include <windows.h>

namespace fw {

// A palette for a loaded bitmap: its own colour table when it has one of at
// most 256 entries, a halftone palette otherwise.
HPALETTE CreateBitmapPalette(HBITMAP bitmap);

// Selects and realises `palette` in a device context on a palette device
// (nothing elsewhere, or without a palette) for as long as it lives.
class PaletteInUse {
public:
    PaletteInUse(HDC dc, HPALETTE palette) : m_dc(dc) {
        if (palette && (::GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE)) {
            m_old = ::SelectPalette(dc, palette, FALSE);
            ::RealizePalette(dc);
        }
    }
    ~PaletteInUse() {
        if (m_old) ::SelectPalette(m_dc, m_old, FALSE);
    }
    PaletteInUse(const PaletteInUse&) = delete;
    PaletteInUse& operator=(const PaletteInUse&) = delete;

private:
    HDC m_dc;
    HPALETTE m_old = nullptr;
};

// Realises `palette` for a window; the number of entries that changed.
UINT RealizeWindowPalette(HWND hwnd, HPALETTE palette);
// The palette messages of a window that paints with `palette` (none: the
// default handling runs): realise it on WM_QUERYNEWPALETTE, and on
// WM_PALETTECHANGED when another window (`changer`) changed the palette;
// repaint when entries changed.
LRESULT RealizeOnQueryNewPalette(HWND hwnd, HPALETTE palette, BOOL& handled);
LRESULT RealizeOnPaletteChanged(HWND hwnd, HPALETTE palette, HWND changer, BOOL& handled);

}  // namespace fw
