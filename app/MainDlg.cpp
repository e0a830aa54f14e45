#include "app/MainDlg.h"

#include "app/AppTitle.h"

BOOL CMainDlg::OnInitDialog() {
    SetWindowText(kAppTitle);
    return TRUE;
}
