// The check-box list's header: paints its own background and items, and can
// show a check box in each column. A column's header check state lives in its
// header item's image index: -1 no check box, 0 unchecked, 1 checked.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <cstdint>

#include "framework/BackgroundBitmap.h"
#include "framework/Palette.h"
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
        MSG_WM_PAINT(OnPaint)
        MSG_WM_ERASEBKGND(OnEraseBackground)
        MESSAGE_HANDLER(HDM_SETIMAGELIST, OnSetImageList)
        MSG_WM_QUERYNEWPALETTE(OnQueryNewPalette)
        MSG_WM_PALETTECHANGED(OnPaletteChanged)
    END_MSG_MAP()

private:
    void OnPaint(HDC);
    BOOL OnEraseBackground(HDC) { return TRUE; }
    LRESULT OnSetImageList(UINT, WPARAM, LPARAM lp, BOOL& handled);
    // Without a palette the default handling runs (the helpers clear the flag).
    BOOL OnQueryNewPalette() {
        return static_cast<BOOL>(fw::RealizeOnQueryNewPalette(m_hWnd, m_background.Palette(), m_msgHandled));
    }
    void OnPaletteChanged(HWND changer) {
        fw::RealizeOnPaletteChanged(m_hWnd, m_background.Palette(), changer, m_msgHandled);
    }
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
    fw::BackgroundBitmap m_background;
    int32_t m_fontHeight = 16;
};
