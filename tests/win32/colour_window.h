// A borderless top-most window on a thread of its own whose colour follows a
// timetable: palette[(timeGetTime() / periodMs) % size], or the first colour
// when periodMs is 0. Recordings of it can be checked frame by frame.
#pragma once

#include <windows.h>

#include <vector>

class ColourWindow {
public:
    ColourWindow(const RECT& screenRect, std::vector<COLORREF> palette, DWORD periodMs,
                 LPCSTR cursor = IDC_ARROW);
    ~ColourWindow();
    ColourWindow(const ColourWindow&) = delete;
    ColourWindow& operator=(const ColourWindow&) = delete;

    HWND Handle() const { return m_window; }
    // The colour shown at multimedia-clock time `t`.
    COLORREF ColourAt(DWORD t) const;
    // The slot (timetable step) of time `t`.
    DWORD SlotAt(DWORD t) const { return m_period ? t / m_period : 0; }
    // The bottom half gets this colour instead, when set.
    void SplitBottom(COLORREF bottom);

private:
    static DWORD WINAPI Run(LPVOID self);
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);

    RECT m_rect;
    std::vector<COLORREF> m_palette;
    DWORD m_period;
    LPCSTR m_cursor;
    volatile LONG m_bottom = -1;
    HWND m_window = nullptr;
    HANDLE m_thread = nullptr;
    HANDLE m_ready = nullptr;
};

