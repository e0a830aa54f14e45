#include "controls/SkinWindow.h"

#include "framework/Gdi.h"

namespace skinwindow {

void ApplyShape(HWND window, int width, int height) {
    const LONG style = ::GetWindowLongA(window, GWL_STYLE);
    ::SetWindowLongA(window, GWL_STYLE, (style & ~WS_CAPTION) | WS_MINIMIZEBOX);
    HRGN shape = ::CreateRoundRectRgn(0, 0, width + 1, height + 1, 11, 11);
    HRGN lower = ::CreateRectRgn(0, 100, width + 1, height + 1);
    ::CombineRgn(shape, shape, lower, RGN_OR);
    ::DeleteObject(lower);
    ::SetWindowRgn(window, shape, TRUE);  // the system owns the region now
}

void PaintFrame(HWND window, HDC dc, HBITMAP background, const std::string& caption) {
    RECT client;
    ::GetClientRect(window, &client);
    if (background) {
        fw::MemoryDC memory(dc);
        fw::ScopedSelect picture(memory, background);
        ::BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
    } else {
        ::FillRect(dc, &client, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    }
    ::SetBkMode(dc, TRANSPARENT);
    fw::Font title(fw::MakeFont("System", 16, 600));
    fw::ScopedSelect font(dc, title);
    ::SetTextColor(dc, RGB(240, 240, 240));
    RECT line{20, 5, 500, 22};
    ::DrawTextA(dc, caption.c_str(), -1, &line, DT_LEFT | DT_TOP);
}


}  // namespace skinwindow
