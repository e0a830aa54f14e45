#pragma once

#include "framework/Dialog.h"
#include "res/resource.h"

// The program's main window.
class CMainDlg : public fw::CDialog {
public:
    CMainDlg() : fw::CDialog(IDD_MAIN) {}

    BEGIN_MSG_MAP(CMainDlg)
        CHAIN_MSG_MAP(fw::CDialog)
    END_MSG_MAP()

protected:
    BOOL OnInitDialog() override;
};
