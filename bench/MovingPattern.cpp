#include "bench/MovingPattern.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

struct Pattern {
    int width;
    int height;
    DWORD start;
};
Pattern g_pattern;

void Paint(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(window, &ps);
    const int w = g_pattern.width, h = g_pattern.height;
    const double t = (::GetTickCount() - g_pattern.start) / 1000.0;
    HDC memory = ::CreateCompatibleDC(dc);
    HBITMAP bitmap = ::CreateCompatibleBitmap(dc, w, h);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    // A still background with text, like a conversation window...
    RECT all{0, 0, w, h};
    HBRUSH back = ::CreateSolidBrush(RGB(236, 240, 245));
    ::FillRect(memory, &all, back);
    ::DeleteObject(back);
    ::SetBkMode(memory, TRANSPARENT);
    char line[96];
    for (int y = 8, i = 0; y < h; y += 18, ++i) {
        std::snprintf(line, sizeof line, "%02d:%02d  message line %d of the conversation", i / 60,
                      i % 60, i);
        ::TextOutA(memory, 8, y, line, static_cast<int>(std::strlen(line)));
    }
    // ...and a moving picture in the middle, like the far end's camera.
    const int vw = w * 2 / 3, vh = h * 2 / 3, vx = (w - vw) / 2, vy = (h - vh) / 2;
    for (int band = 0; band < 24; ++band) {
        const int x0 = vx + band * vw / 24, x1 = vx + (band + 1) * vw / 24;
        const int shade = static_cast<int>(127 + 120 * std::sin(t * 2.0 + band * 0.4));
        HBRUSH b = ::CreateSolidBrush(RGB(shade, 90 + shade / 3, 255 - shade));
        RECT r{x0, vy, x1, vy + vh};
        ::FillRect(memory, &r, b);
        ::DeleteObject(b);
    }
    const int cx = vx + vw / 2 + static_cast<int>(vw / 4 * std::cos(t * 1.3));
    const int cy = vy + vh / 2 + static_cast<int>(vh / 4 * std::sin(t * 1.7));
    HBRUSH face = ::CreateSolidBrush(RGB(240, 200, 170));
    HGDIOBJ oldBrush = ::SelectObject(memory, face);
    ::Ellipse(memory, cx - vh / 5, cy - vh / 4, cx + vh / 5, cy + vh / 4);
    ::SelectObject(memory, oldBrush);
    ::DeleteObject(face);
    ::BitBlt(dc, 0, 0, w, h, memory, 0, 0, SRCCOPY);
    ::SelectObject(memory, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::EndPaint(window, &ps);
}

LRESULT CALLBACK PatternProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        Paint(window);
        return 0;
    case WM_TIMER:
        ::InvalidateRect(window, nullptr, FALSE);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int RunMovingPattern(int left, int top, int width, int height) {
    g_pattern = {width, height, ::GetTickCount()};
    WNDCLASSA wc{};
    wc.lpfnWndProc = PatternProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "LumiskopBenchPattern";
    wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    ::RegisterClassA(&wc);
    HWND window = ::CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "pattern", WS_POPUP | WS_VISIBLE,
                                    left, top, width, height, nullptr, nullptr, wc.hInstance, nullptr);
    if (!window) return 1;
    ::SetTimer(window, 1, 20, nullptr);
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) ::DispatchMessageA(&msg);
    return 0;
}
