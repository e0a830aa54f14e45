// The engine's window messages. The five registered ones are registered by
// name during static initialisation, in this order; the two private ones carry
// wave-input completions.
#pragma once

#include <windows.h>

extern const UINT WM_USER_RECORDINTERRUPTED_MSG;
extern const UINT WM_USER_SAVECURSOR_MSG;
extern const UINT WM_USER_GENERIC_MSG;
extern const UINT WM_USER_RECORDSTART_MSG;
extern const UINT WM_USER_KEYSTART_MSG;

constexpr UINT WM_INPUTA_DATA = WM_USER + 120;  // 1144: far-end input completed buffers
constexpr UINT WM_INPUTB_DATA = WM_USER + 150;  // 1174: microphone input completed buffers
// The far-end listener of automatic recording completed buffers.
constexpr UINT WM_FAREND_DATA = WM_APP + 0x151;

// The region selector ended without a rectangle to record (cancelled, or a
// click without a drag); posted to the main window.
constexpr UINT WM_REGION_SELECT_ENDED = WM_APP + 0x150;
