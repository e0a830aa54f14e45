// The commands that open the crop and zoom and the effects dialogs on the
// selected recording.
#include "app/MainDlg.h"
#include "editing/CropDlg.h"
#include "editing/EffectDlg.h"

void CMainDlg::OnCrop(UINT, int, HWND) {
    CCropDlg dialog(MakeEditingContext());
    RunEditingDialog(dialog);
}

void CMainDlg::OnEffects(UINT, int, HWND) {
    CEffectDlg dialog(MakeEditingContext());
    RunEditingDialog(dialog);
}
