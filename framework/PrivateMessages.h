// The program's private window messages, in one table and one notation: the
// base (WM_USER 0x0400 or WM_APP 0x8000, as <windows.h> defines them) plus a
// decimal offset, with the resulting number where other parts name it.
// Platform-free, so that the controls' window-free rules name them too.
#pragma once

#include <cstdint>

namespace msg {

inline constexpr uint32_t kUser = 0x0400;  // WM_USER
inline constexpr uint32_t kApp = 0x8000;   // WM_APP

// To the main window.
// A wave input's completed buffers (1144: the far end, 1174: the
// microphone); wParam the device's handle, lParam the buffer.
inline constexpr uint32_t kInputAData = kUser + 120;
inline constexpr uint32_t kInputBData = kUser + 150;
// The region selector ended without a rectangle to record (cancelled, or a
// click without a drag).
inline constexpr uint32_t kRegionSelectEnded = kApp + 336;
// The program's own far-end listener (automatic recording) completed buffers.
inline constexpr uint32_t kFarEndListenerData = kApp + 337;
// From the audio engine, the far end's level: wParam the RMS level of one
// slice of the sound it relays in hundredths of dBFS (signed), lParam when
// that sound ended on the multimedia clock (timeGetTime, the same in every
// process).
inline constexpr uint32_t kFarEndLevelReport = kApp + 609;

// To the audio engine's window (sndrelay.exe), from the main window: wParam
// the main window, lParam 1 to have the far end's level reported there, 0 to
// stop the reports.
inline constexpr uint32_t kEngineLevelsRequest = kApp + 608;

// To the floating stop window, from the recording worker: show beside the
// rectangle in the window's own record.
inline constexpr uint32_t kStopWindowShowBeside = kApp + 562;

// Each editing dialog's automatic start, posted 500 ms after it opened.
inline constexpr uint32_t kEffectAutomaticStart = kUser + 2000;
inline constexpr uint32_t kCropAutomaticStart = kUser + 3500;
inline constexpr uint32_t kTrimAutomaticStart = kUser + 4600;
// From an editing dialog's preview worker to the dialog: move the position
// slider (wParam the percent); the worker ended without playing.
inline constexpr uint32_t kPreviewMoveSlider = kApp + 65;
inline constexpr uint32_t kPreviewEndedWithoutPlaying = kApp + 66;

// From the trim bar to its parent; wParam the bar's id, lParam the value.
inline constexpr uint32_t kTrimPositionMoved = kUser + 2049;
inline constexpr uint32_t kTrimDragEnded = kUser + 2050;
inline constexpr uint32_t kTrimStartMoved = kUser + 2051;
inline constexpr uint32_t kTrimStartDragEnded = kUser + 2052;
inline constexpr uint32_t kTrimEndMoved = kUser + 2053;
inline constexpr uint32_t kTrimEndDragEnded = kUser + 2054;

// From a skinned slider to its parent (10449 while dragged, 10450 when a
// drag ends or a key moved it); wParam the slider's id, lParam the position.
inline constexpr uint32_t kSliderMoved = kUser + 9425;
inline constexpr uint32_t kSliderSettled = kUser + 9426;

}  // namespace msg
