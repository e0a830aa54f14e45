#pragma once

#include "framework/App.h"

// The application object: one instance at a time, running the main window
// modally for the life of the process.
class CRecorderApp : public fw::CWinApp {
public:
    CRecorderApp();
    BOOL InitInstance() override;
};
