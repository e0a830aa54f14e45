// Identifiers of the test dialog that carries the controls under test.
#pragma once

#define IDD_CONTROLS_PROBE 600
#define IDC_PROBE_HOVER 601
#define IDC_PROBE_HOVER2 602
#define IDC_PROBE_TOGGLE 603
#define IDC_PROBE_LIST 604
#define IDC_PROBE_EDIT1 605
#define IDC_PROBE_EDIT2 606

// The sliders' and masked edits' test dialog.
#define IDD_SLIDERS_PROBE 610
#define IDC_PROBE_TRIM 611
#define IDC_PROBE_TRACK 612
#define IDC_PROBE_TRACK_PLAIN 613
#define IDC_PROBE_TIME 614
#define IDC_PROBE_DATE 615

// The skinned-dialog frame's test dialog.
#define IDD_SKIN_PROBE 620
#define IDC_SKIN_PROBE_TOOL 621
#define IDC_SKIN_PROBE_HIDDEN 622
#define IDC_SKIN_PROBE_SCREEN 623
#define IDC_SKIN_PROBE_MINIMIZE 624
#define IDC_SKIN_PROBE_CLOSE 625

// A bitmap slider on the sliders' test dialog.
#define IDC_PROBE_SKIN_SLIDER 616
