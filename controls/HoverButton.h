// The skinned push button: three pictures loaded from bitmap files (normal,
// under the mouse, pressed) stretched over the button, and an optional
// tooltip. It sits on an owner-drawn (BS_OWNERDRAW) template button; clicks
// reach the owner as the usual BN_CLICKED.
#pragma once

#include <cstdint>
#include <string>

#include "framework/Gdi.h"
#include "framework/Wnd.h"

class CHoverButton : public fw::CWnd {
public:
    CHoverButton() = default;

    // Replaces the three pictures; a file that cannot be loaded leaves its
    // state without a picture. Always TRUE.
    BOOL LoadBitmapFiles(const char* normal, const char* hover, const char* click);
    // Loads folder + base + "_normal.bmp", "_hover.bmp" and "_click.bmp".
    BOOL LoadSkin(const std::string& folder, const std::string& base);

    // Gives the button a tooltip over its whole client area. Null does nothing.
    void SetTooltipText(const char* text, BOOL activate = TRUE);

    BOOL PreTranslateMessage(MSG* msg) override;

    bool IsHovering() const { return m_hover != 0; }
    HWND ToolTip() const { return m_toolTip; }

    BEGIN_MSG_MAP(CHoverButton)
        MSG_WM_MOUSEMOVE(OnMouseMove)
        MSG_WM_MOUSELEAVE(OnMouseLeave)
        MSG_WM_MOUSEHOVER(OnMouseHover)
        MSG_OCM_DRAWITEM(OnDrawItem)
    END_MSG_MAP()

protected:
    virtual void DrawItem(const DRAWITEMSTRUCT& item);

private:
    void OnMouseMove(UINT, POINT);
    void OnMouseLeave();
    void OnMouseHover(UINT, POINT);
    void OnDrawItem(int, const DRAWITEMSTRUCT& item) { DrawItem(item); }
    void EnsureToolTip();

    int32_t m_hover = 0;
    fw::Bitmap m_hoverBitmap;
    fw::Bitmap m_clickBitmap;
    fw::Bitmap m_normalBitmap;
    int32_t m_tracking = 0;
    HWND m_toolTip = nullptr;  // owned by the button: goes with it
};
