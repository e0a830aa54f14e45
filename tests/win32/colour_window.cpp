#include "tests/win32/colour_window.h"

#include <mmsystem.h>

#include "tests/support/ui_helpers.h"

namespace {
constexpr char kClass[] = "LumiskopTestColourWindow";
constexpr UINT_PTR kTimer = 1;
}  // namespace

ColourWindow::ColourWindow(const RECT& rect, std::vector<COLORREF> palette, DWORD periodMs,
                           LPCSTR cursor)
    : m_rect(rect), m_palette(std::move(palette)), m_period(periodMs), m_cursor(cursor) {
    m_ready = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    m_thread = ::CreateThread(nullptr, 0, Run, this, 0, nullptr);
    ::WaitForSingleObject(m_ready, 10000);
}

ColourWindow::~ColourWindow() {
    if (m_window) ::PostMessageA(m_window, WM_CLOSE, 0, 0);
    ::WaitForSingleObject(m_thread, 10000);
    ::CloseHandle(m_thread);
    ::CloseHandle(m_ready);
}

COLORREF ColourWindow::ColourAt(DWORD t) const {
    return m_palette[SlotAt(t) % m_palette.size()];
}

void ColourWindow::SplitBottom(COLORREF bottom) {
    ::InterlockedExchange(&m_bottom, static_cast<LONG>(bottom));
    ::InvalidateRect(m_window, nullptr, FALSE);
    ui::PumpFor(200);
}

DWORD WINAPI ColourWindow::Run(LPVOID param) {
    auto* self = static_cast<ColourWindow*>(param);
    WNDCLASSA wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = kClass;
    wc.hCursor = ::LoadCursorA(nullptr, self->m_cursor);
    ::RegisterClassA(&wc);  // a second window finds the class there already
    const RECT& r = self->m_rect;
    self->m_window = ::CreateWindowExA(WS_EX_TOPMOST, kClass, "colours", WS_POPUP, r.left, r.top,
                                       r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                                       wc.hInstance, self);
    ::SetClassLongPtrA(self->m_window, GCLP_HCURSOR,
                       reinterpret_cast<LONG_PTR>(::LoadCursorA(nullptr, self->m_cursor)));
    ::ShowWindow(self->m_window, SW_SHOWNA);
    ::UpdateWindow(self->m_window);
    ::SetTimer(self->m_window, kTimer, 10, nullptr);
    ::SetEvent(self->m_ready);
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) ::DispatchMessageA(&msg);
    return 0;
}

LRESULT CALLBACK ColourWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<ColourWindow*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    switch (message) {
    case WM_NCCREATE: {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        break;
    }
    case WM_TIMER: {
        // Repaint as soon as the timetable moves on.
        static thread_local DWORD shownSlot = ~0u;
        const DWORD slot = self->SlotAt(::timeGetTime());
        if (slot != shownSlot) {
            shownSlot = slot;
            ::InvalidateRect(window, nullptr, FALSE);
            ::UpdateWindow(window);
        }
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(window, &ps);
        RECT client;
        ::GetClientRect(window, &client);
        HBRUSH brush = ::CreateSolidBrush(self->ColourAt(::timeGetTime()));
        ::FillRect(dc, &client, brush);
        ::DeleteObject(brush);
        const LONG bottom = self->m_bottom;
        if (bottom >= 0) {
            RECT lower = client;
            lower.top = client.bottom / 2;
            HBRUSH b = ::CreateSolidBrush(static_cast<COLORREF>(bottom));
            ::FillRect(dc, &lower, b);
            ::DeleteObject(b);
        }
        ::EndPaint(window, &ps);
        return 0;
    }
    case WM_CLOSE:
        ::DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}
