// The commands that open the crop and zoom and the effects dialogs on the
// selected recording.
#include "app/MainDlg.h"
#include "editing/CropDlg.h"
#include "editing/EffectDlg.h"

LRESULT CMainDlg::OnCrop(WORD, WORD, HWND, BOOL&) {
    CCropDlg dialog(MakeEditingContext());
    RunEditingDialog(dialog);
    return 0;
}

LRESULT CMainDlg::OnEffects(WORD, WORD, HWND, BOOL&) {
    CEffectDlg dialog(MakeEditingContext());
    RunEditingDialog(dialog);
    return 0;
}
