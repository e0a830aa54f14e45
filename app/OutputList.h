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
    void Refresh(const ClipList& clips);

private:
    fw::Font m_listFont;
    fw::Font m_headerFont;
};
