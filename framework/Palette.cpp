#include "framework/Palette.h"

#include <vector>

#include "framework/Gdi.h"

namespace fw {

HPALETTE CreateBitmapPalette(HBITMAP bitmap) {
    DIBSECTION dib{};
    const bool isDib = ::GetObjectA(bitmap, sizeof dib, &dib) == sizeof dib;
    const unsigned bits = isDib ? dib.dsBmih.biBitCount : 24;
    const unsigned colours = isDib && dib.dsBmih.biClrUsed ? dib.dsBmih.biClrUsed
                             : bits <= 8                   ? 1u << bits
                                                           : 0;
    if (bits <= 8 && colours > 0 && colours <= 256) {
        std::vector<RGBQUAD> table(colours);
        HDC screen = ::GetDC(nullptr);
        UINT got = 0;
        {
            MemoryDC memory(screen);
            ScopedSelect select(memory, bitmap);
            got = ::GetDIBColorTable(memory, 0, colours, table.data());
        }
        ::ReleaseDC(nullptr, screen);
        if (got) {
            std::vector<BYTE> storage(sizeof(LOGPALETTE) + got * sizeof(PALETTEENTRY));
            auto* palette = reinterpret_cast<LOGPALETTE*>(storage.data());
            palette->palVersion = 0x300;
            palette->palNumEntries = static_cast<WORD>(got);
            for (UINT i = 0; i < got; ++i)
                palette->palPalEntry[i] = {table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0};
            return ::CreatePalette(palette);
        }
    }
    HDC screen = ::GetDC(nullptr);
    HPALETTE halftone = ::CreateHalftonePalette(screen);
    ::ReleaseDC(nullptr, screen);
    return halftone;
}

UINT RealizeWindowPalette(HWND hwnd, HPALETTE palette) {
    HDC dc = ::GetDC(hwnd);
    HPALETTE old = ::SelectPalette(dc, palette, FALSE);
    UINT changed = ::RealizePalette(dc);
    ::SelectPalette(dc, old, FALSE);
    ::ReleaseDC(hwnd, dc);
    return changed;
}

LRESULT RealizeOnQueryNewPalette(HWND hwnd, HPALETTE palette, BOOL& handled) {
    if (!palette) {
        handled = FALSE;
        return 0;
    }
    const UINT changed = RealizeWindowPalette(hwnd, palette);
    if (changed) ::InvalidateRect(hwnd, nullptr, TRUE);
    return changed;
}

LRESULT RealizeOnPaletteChanged(HWND hwnd, HPALETTE palette, HWND changer, BOOL& handled) {
    if (!palette || changer == hwnd) {
        handled = FALSE;
        return 0;
    }
    if (RealizeWindowPalette(hwnd, palette)) ::InvalidateRect(hwnd, nullptr, TRUE);
    return 0;
}

}  // namespace fw
