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

private:
    fw::Font m_listFont;
    fw::Font m_headerFont;
};
