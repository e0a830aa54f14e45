// The skinned track bars of the crop and effects dialogs: subclassed from the
// template after the bar has been placed (the channel picture then sets its
// length), range 0..maximum, line and page size 1.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "controls/SkinTrackBar.h"
#include "res/resource.h"

inline void SetUpDialogTrackBar(CSkinTrackBar& bar, HWND dialog, int id, int channelBitmap, int maximum) {
    bar.SubclassDlgItem(id, dialog);
    bar.SetChannelBitmap(channelBitmap, TRUE);
    bar.SetThumbBitmaps(IDB_TRACK_THUMB, IDB_TRACK_THUMB_PRESSED, TRUE);
    bar.SetRange(0, maximum);
    bar.SendMessage(TBM_SETLINESIZE, 0, 1);
    bar.SendMessage(TBM_SETPAGESIZE, 0, 1);
}
