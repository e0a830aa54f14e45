// Resource identifiers shared by the resource scripts and the code.
#pragma once

#define IDD_MAIN 102

// Window icons: the program's icon and its other half while it blinks.
#define IDI_MAIN 128
#define IDI_BLINK 225
// The region selector's class icon is the named icon resource "VEVURU".

// Image lists of the check-box list: the header's images, the list's check
// boxes (unchecked, checked; magenta mask) and its small images (white mask).
#define IDB_HEADER_IMAGES 130
#define IDB_CHECKBOXES 133
#define IDB_LIST_IMAGES 134

// The floating stop window, its controls and its context menu.
#define IDD_FLOAT_STOP 232
#define IDR_FLOAT_MENU 233
#define IDC_FLOAT_STOP 1054
#define IDC_FLOAT_FRAME 1055
#define ID_FLOAT_SHOW 32771
#define ID_FLOAT_EXIT 32772

// The command the floating stop window sends its owner to stop the recording;
// the main window handles it like its stop button.
#define ID_STOP_RECORDING 122
