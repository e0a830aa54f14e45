// Identifiers of the test dialog that carries the controls under test.
#pragma once

#define IDD_CONTROLS_PROBE 600
#define IDC_PROBE_HOVER 601
#define IDC_PROBE_HOVER2 602
#define IDC_PROBE_TOGGLE 603
#define IDC_PROBE_LIST 604
#define IDC_PROBE_EDIT1 605
#define IDC_PROBE_EDIT2 606
