// The two windows the recording worker shows while it records: the flashing
// frame around the recorded rectangle and the floating stop window. The worker
// reaches them through these interfaces, installed in its recording session.
#pragma once

#include <cstdint>

#include "engine/ScreenRect.h"

class IRegionFrame {
public:
    virtual ~IRegionFrame() = default;
    // Frames (left, top, width, height) with the corner marks.
    virtual void SetFrame(int32_t left, int32_t top, int32_t width, int32_t height) = 0;
    virtual void Show(bool show) = 0;
    // Paints the marks; called around every grab.
    virtual void FillBand(uint8_t red, uint8_t green, uint8_t blue) = 0;
};

class IStopWindow {
public:
    virtual ~IStopWindow() = default;
    // Shows the window beside the recorded rectangle.
    virtual void ShowBeside(const ScreenRect& rect) = 0;
};
