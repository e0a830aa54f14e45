// A status line drawn over its parent's background picture: one line of
// light text, a long folder shortened in its middle. It sits on an
// owner-drawn (SS_OWNERDRAW) template static, so its words are the control's
// window text and can be read like any control's.
#pragma once

#include <string>

#include "framework/Wnd.h"

class CStatusLine : public fw::CWnd {
public:
    // `background` is the parent's picture as painted from the parent's
    // client origin; `font` is the parent's. Neither is owned.
    void SetLook(HBITMAP background, HFONT font);
    void SetText(const std::string& text);
    std::string Text() const;

    BEGIN_MSG_MAP(CStatusLine)
        MESSAGE_HANDLER(fw::OCM_DRAWITEM, OnDrawItem)
    END_MSG_MAP()

private:
    LRESULT OnDrawItem(UINT, WPARAM, LPARAM lp, BOOL&);

    HBITMAP m_background = nullptr;
    HFONT m_font = nullptr;
};
