// A two-state button: a round indicator (or one of two icons) and its text,
// flipped by each click. The button keeps its clicks to itself: the owner
// reads the state with BM_GETCHECK.
#pragma once

#include <cstdint>

#include "framework/Wnd.h"

class CToggleButton : public fw::CWnd {
public:
    CToggleButton() = default;

    // Icons from the program's resources: the first shows the checked state,
    // the second the unchecked one. Unless both load, the round indicator stays.
    void SetIcons(int checkedIconId, int uncheckedIconId);
    bool HasIcons() const { return m_checkedIcon && m_uncheckedIcon; }

    BEGIN_MSG_MAP(CToggleButton)
        MESSAGE_HANDLER(BM_SETCHECK, OnSetCheck)
        MESSAGE_HANDLER(BM_GETCHECK, OnGetCheck)
        REFLECTED_COMMAND_CODE_HANDLER_EX(BN_CLICKED, OnClicked)
        MSG_OCM_DRAWITEM(OnDrawItem)
    END_MSG_MAP()

protected:
    void PreSubclassWindow() override;
    virtual void DrawItem(const DRAWITEMSTRUCT& item);

private:
    LRESULT OnSetCheck(UINT, WPARAM wp, LPARAM, BOOL&);
    LRESULT OnGetCheck(UINT, WPARAM, LPARAM, BOOL&) { return m_checked; }
    void OnClicked(UINT, int, HWND);
    void OnDrawItem(int, const DRAWITEMSTRUCT& item) { DrawItem(item); }
    void DrawIndicator(HDC dc, RECT box) const;
    void DrawLabel(HDC dc, const RECT& area) const;

    DWORD m_style = 0;
    int32_t m_checked = 0;
    int32_t m_disabled = 0;
    int32_t m_focused = 0;
    int32_t m_pressed = 0;
    int32_t m_indicatorSize = 15;
    COLORREF m_checkedColour = RGB(0, 255, 0);
    COLORREF m_uncheckedColour = RGB(0, 127, 0);
    HICON m_checkedIcon = nullptr;
    int32_t m_checkedIconWidth = 0;
    int32_t m_checkedIconHeight = 0;
    HICON m_uncheckedIcon = nullptr;
    int32_t m_uncheckedIconWidth = 0;
    int32_t m_uncheckedIconHeight = 0;
};
