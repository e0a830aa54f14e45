// The recorded area of a call recording follows the conversation window:
// when the window's top-left corner moves, the recorded rectangle goes there
// with its size kept (a resize that keeps the top-left moves nothing); while
// the window is minimised the last rectangle stays. Rectangles are screen
// rectangles; no window system here.
#pragma once

#include <cstdint>

#include "engine/ScreenRect.h"

class CCallWindowFollower {
public:
    // The window's rectangle when the recording started.
    void Begin(const ScreenRect& window);

    struct Step {
        bool move = false;  // the recorded area goes to (left, top)
        int32_t left = 0;
        int32_t top = 0;
        bool minimisedChanged = false;  // the window was minimised or restored
        bool minimised = false;
    };
    // The window as it is now: its rectangle (not looked at while minimised).
    Step Observe(const ScreenRect& window, bool minimised);

private:
    ScreenRect m_window{};
    bool m_minimised = false;
};
