// The main window's list of recordings: a check-box list with the columns
// " " (check box, no width), "FileName" and "Duration", refreshed from the
// ClipList.
#pragma once

#include "recordings/ClipList.h"
#include "controls/CheckListCtrl.h"
#include "framework/Gdi.h"

class COutputList : public CCheckListCtrl {
public:
    // Fonts, image lists, columns, the header check box, full-row selection.
    void SetUp();
    // Shows `clips` in their order; grid lines only when there are rows.
    // The row `selected` (none when -1) shows selected and has the focus.
    void Refresh(const ClipList& clips, int selected);
    // Selects `row` alone, as a click on it does.
    void SelectOnly(int row);
    // The screen point below a row's left end, where its menu opens when
    // asked for from the keyboard; the list's top left without a row.
    POINT MenuPointFor(int row) const;

    // The menu key and Shift+F10 ask the parent for the context menu (as a
    // WM_CONTEXTMENU from the keyboard); Delete sends it the remove command.
    BEGIN_MSG_MAP(COutputList)
        MSG_WM_KEYDOWN(OnKeyDown)
        MSG_WM_SYSKEYDOWN(OnKeyDown)
        MSG_WM_KEYUP(OnKeyUp)
        MSG_WM_SYSKEYUP(OnKeyUp)
        CHAIN_MSG_MAP(CCheckListCtrl)
    END_MSG_MAP()

private:
    void OnKeyDown(UINT key, UINT, UINT);
    void OnKeyUp(UINT key, UINT, UINT);
    // The keys taken here; the default handling never sees them, so that it
    // opens no second menu.
    static bool IsMenuKey(UINT key);

    fw::Font m_listFont;
    fw::Font m_headerFont;
};
