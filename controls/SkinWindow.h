// The frame shared by the skinned top-level windows (the recorder's main
// window, the converter's): no caption, rounded top corners, the skin's
// background picture and a caption text painted on it.
#pragma once

#include <windows.h>

#include <string>

namespace skinwindow {

// Takes the caption away (keeping a minimise box for the task bar) and gives
// a width x height window rounded top corners.
void ApplyShape(HWND window, int width, int height);

// Paints `background` over the client area (black without one) and the
// caption text in its place; leaves the context's background mode transparent.
void PaintFrame(HWND window, HDC dc, HBITMAP background, const std::string& caption);

}  // namespace skinwindow
