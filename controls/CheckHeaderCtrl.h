// The check-box list's header: paints its own background and items, and can
// show a check box in each column. A column's header check state lives in its
// header item's image index: -1 no check box, 0 unchecked, 1 checked.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <cstdint>

#include "framework/Gdi.h"
#include "framework/Wnd.h"

class CCheckHeaderCtrl : public fw::CWnd {
public:
    CCheckHeaderCtrl();

    // -1 when the column shows no check box.
    int GetCheckState(int column) const;
    // Shows the column's check box in the given state; -1 removes it.
    bool SetCheckState(int column, int state);

    // Stretched over the whole header instead of the face colour. False when
    // the file cannot be loaded (the header then goes back to the face colour).
    bool SetBackgroundImage(const char* path);
    void SetFontHeight(int height) { m_fontHeight = height; }
    int Spacing() const { return m_spacing; }

    BEGIN_MSG_MAP(CCheckHeaderCtrl)
        MESSAGE_HANDLER(WM_PAINT, OnPaint)
        MESSAGE_HANDLER(WM_ERASEBKGND, OnEraseBackground)
        MESSAGE_HANDLER(HDM_SETIMAGELIST, OnSetImageList)
        MESSAGE_HANDLER(WM_QUERYNEWPALETTE, OnQueryNewPalette)
        MESSAGE_HANDLER(WM_PALETTECHANGED, OnPaletteChanged)
    END_MSG_MAP()

private:
    LRESULT OnPaint(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnEraseBackground(UINT, WPARAM, LPARAM, BOOL&) { return TRUE; }
    LRESULT OnSetImageList(UINT, WPARAM, LPARAM lp, BOOL& handled);
    LRESULT OnQueryNewPalette(UINT, WPARAM, LPARAM, BOOL& handled);
    LRESULT OnPaletteChanged(UINT, WPARAM wp, LPARAM, BOOL& handled);
    void PaintBackground(HDC dc, const RECT& client);
    void PaintItem(HDC dc, int index, HFONT font);

    int32_t m_flag = 1;
    int32_t m_imageWidth = 0;
    int32_t m_imageHeight = 0;
    int32_t m_spacing = 6;
    COLORREF m_highlightColour;
    COLORREF m_shadowColour;
    COLORREF m_faceColour;
    COLORREF m_textColour = RGB(70, 70, 70);
    fw::Bitmap m_background;
    fw::GdiObject<HPALETTE> m_palette;
    int32_t m_backgroundWidth = 0;
    int32_t m_backgroundHeight = 0;
    int32_t m_fontHeight = 16;
};

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
