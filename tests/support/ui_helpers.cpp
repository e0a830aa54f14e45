#include "tests/support/ui_helpers.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <future>

#include "framework/Wnd.h"
#include "tests/support/process_helpers.h"

namespace ui {

namespace {
std::vector<HWND> g_quits;
}  // namespace

void Pump() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            g_quits.push_back(msg.hwnd);
            continue;
        }
        if (fw::WalkPreTranslateTree(nullptr, &msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

bool TakeQuit(HWND hwnd) {
    for (auto it = g_quits.begin(); it != g_quits.end(); ++it) {
        if (*it == hwnd) {
            g_quits.erase(it);
            return true;
        }
    }
    return false;
}

void PumpFor(DWORD ms) {
    PumpUntil([] { return false; }, ms);
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const DWORD start = ::GetTickCount();
    for (;;) {
        Pump();
        if (done()) return true;
        if (::GetTickCount() - start >= timeoutMs) return done();
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

hostcmd::Result RunHostPumping(const std::string& command, unsigned timeoutMs) {
    auto pending = std::async(std::launch::async,
                              [command, timeoutMs] { return hostcmd::Run(command, timeoutMs); });
    PumpUntil(
        [&] { return pending.wait_for(std::chrono::seconds(0)) == std::future_status::ready; },
        timeoutMs + 10000);
    return pending.get();
}

bool Xdo(const std::string& arguments) {
    hostcmd::Result result = RunHostPumping("xdotool " + arguments);
    // Killed by a signal from outside (exit 128 + signal): this machine is
    // shared, so try once more.
    if (result.finished && result.exitCode > 128) result = RunHostPumping("xdotool " + arguments);
    if (result.finished && result.exitCode == 0) return true;
    std::fprintf(stderr, "xdotool %s: %s (exit %d)\n", arguments.c_str(),
                 result.finished ? result.output.c_str() : "did not finish", result.exitCode);
    return false;
}

unsigned long XWindowOf(HWND hwnd) {
    return static_cast<unsigned long>(reinterpret_cast<uintptr_t>(::GetPropA(hwnd, "__wine_x11_whole_window")));
}

bool FocusForKeys(HWND hwnd) {
    const unsigned long xwindow = XWindowOf(hwnd);
    return xwindow != 0 && Xdo("windowfocus --sync " + std::to_string(xwindow));
}

bool MoveMouse(int x, int y) {
    // "--sync" waits for the pointer to move, so it must not be asked to move
    // where it already is.
    const std::string to = std::to_string(x) + " " + std::to_string(y);
    const hostcmd::Result result = RunHostPumping(
        "eval $(xdotool getmouselocation --shell) && if [ \"$X $Y\" != '" + to +
        "' ]; then xdotool mousemove --sync " + to + "; fi");
    return result.finished && result.exitCode == 0;
}

bool MouseDown(int button) {
    return Xdo("mousedown " + std::to_string(button));
}

bool MouseUp(int button) {
    return Xdo("mouseup " + std::to_string(button));
}

bool Click(int x, int y, int button) {
    return MoveMouse(x, y) && Xdo("click " + std::to_string(button));
}

bool ClickWindow(HWND hwnd, int button) {
    RECT rect;
    return ::GetWindowRect(hwnd, &rect) &&
           Click((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2, button);
}

fw::OwnedWindow TakeMouseCapture(HWND owner) {
    fw::OwnedWindow taker(::CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP, 0, 0, 1, 1, owner, nullptr,
                                            ::GetModuleHandleA(nullptr), nullptr));
    if (taker) ::SetCapture(taker);
    return taker;
}

POINT ClientToScreenPoint(HWND hwnd, int x, int y) {
    POINT point{x, y};
    ::ClientToScreen(hwnd, &point);
    return point;
}

COLORREF ScreenPixel(int x, int y) {
    HDC screen = ::GetDC(nullptr);
    COLORREF colour = ::GetPixel(screen, x, y);
    ::ReleaseDC(nullptr, screen);
    return colour;
}

std::vector<COLORREF> DcPixels(HDC dc, int x, int y, int width, int height) {
    std::vector<COLORREF> pixels;
    if (width <= 0 || height <= 0) return pixels;
    HDC memory = ::CreateCompatibleDC(dc);
    HBITMAP bitmap = ::CreateCompatibleBitmap(dc, width, height);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, width, height, dc, x, y, SRCCOPY);
    ::SelectObject(memory, old);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    std::vector<DWORD> raw(static_cast<size_t>(width) * height);
    ::GetDIBits(memory, bitmap, 0, height, raw.data(), &info, DIB_RGB_COLORS);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    pixels.reserve(raw.size());
    for (DWORD bgra : raw)  // 0x00RRGGBB in memory order B, G, R
        pixels.push_back(RGB((bgra >> 16) & 0xFF, (bgra >> 8) & 0xFF, bgra & 0xFF));
    return pixels;
}

std::vector<COLORREF> ScreenPixels(int x, int y, int width, int height) {
    HDC screen = ::GetDC(nullptr);
    std::vector<COLORREF> pixels = DcPixels(screen, x, y, width, height);
    ::ReleaseDC(nullptr, screen);
    return pixels;
}

std::string DescribePixel(COLORREF colour) {
    char text[32];
    std::snprintf(text, sizeof text, "rgb(%u, %u, %u)", GetRValue(colour), GetGValue(colour),
                  GetBValue(colour));
    return text;
}

std::string SaveScreenshot(const std::string& name) {
    std::string folder;
    if (const char* chosen = std::getenv("LUMISKOP_SCREENSHOTS"); chosen && *chosen) {
        folder = chosen;
    } else {
        folder = e2e::ProgramFolder();  // ...\bin
        folder.resize(folder.find_last_of('\\') + 1);
        folder = hostcmd::HostPath(folder + "screenshots");
    }
    const std::string path = folder + "/" + name + ".png";
    hostcmd::Result shot = hostcmd::Run("mkdir -p " + hostcmd::ShellQuote(folder) +
                                        " && import -window root " + hostcmd::ShellQuote(path));
    return shot.finished && shot.exitCode == 0 ? path : std::string();
}

}  // namespace ui
