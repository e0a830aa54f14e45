// Driving real windows from a Windows test under Wine: pumping the test
// thread's messages while something happens, real pointer and keyboard input
// through the X server (xdotool), and reading the screen back.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/support/host_command.h"

namespace ui {

// Dispatches this thread's messages for `ms` milliseconds.
void PumpFor(DWORD ms);
// Dispatches messages until `done` holds or `timeoutMs` passed; returns `done`.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 10000);

// Runs a host command while this thread keeps dispatching its messages, so
// that the windows it owns see the input the command makes.
hostcmd::Result RunHostPumping(const std::string& command, unsigned timeoutMs = 30000);

// One xdotool command line (without "xdotool"), run while pumping; true when
// it succeeded.
bool Xdo(const std::string& arguments);
// The X window behind a Wine window (0 when unknown).
unsigned long XWindowOf(HWND hwnd);
// Gives a window the X keyboard focus, so that keys typed with xdotool reach it.
bool FocusForKeys(HWND hwnd);

// One pixel of the screen as the user sees it.
COLORREF ScreenPixel(int x, int y);
// The screen's pixels in (x, y, width, height), row by row from the top, in
// COLORREF order (0x00BBGGRR) so that they compare with ScreenPixel.
std::vector<COLORREF> ScreenPixels(int x, int y, int width, int height);
// The pixels of a device context's area the same way.
std::vector<COLORREF> DcPixels(HDC dc, int x, int y, int width, int height);
// A colour as text, for failure messages.
std::string DescribePixel(COLORREF colour);

// Saves the whole X screen as a PNG under the folder named by the environment
// variable LUMISKOP_SCREENSHOTS (nothing happens when it is unset); returns the
// host path written, or "".
std::string SaveScreenshot(const std::string& name);

}  // namespace ui
