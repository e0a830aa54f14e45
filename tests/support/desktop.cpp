#include "tests/support/desktop.h"

#include <vector>

#include "framework/Wnd.h"
#include "tests/support/host_command.h"
#include "tests/support/process_helpers.h"

namespace desktop {
namespace {

std::vector<HWND> g_quits;

bool Xdotool(const std::string& arguments) {
    hostcmd::Result result = hostcmd::Run("xdotool " + arguments, 20000);
    return result.finished && result.exitCode == 0;
}

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

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    DWORD start = ::GetTickCount();
    for (;;) {
        Pump();
        if (done()) return true;
        if (::GetTickCount() - start > timeoutMs) return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

void PumpFor(DWORD ms) {
    DWORD start = ::GetTickCount();
    PumpUntil([&] { return ::GetTickCount() - start >= ms; }, ms + 1000);
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

bool MoveMouse(int x, int y) {
    // "--sync" waits for the pointer to move, so it must not be asked to move
    // where it already is.
    const std::string to = std::to_string(x) + " " + std::to_string(y);
    hostcmd::Result result = hostcmd::Run(
        "eval $(xdotool getmouselocation --shell) && if [ \"$X $Y\" != '" + to +
            "' ]; then xdotool mousemove --sync " + to + "; fi",
        20000);
    return result.finished && result.exitCode == 0;
}

bool MouseDown(int button) {
    return Xdotool("mousedown " + std::to_string(button));
}

bool MouseUp(int button) {
    return Xdotool("mouseup " + std::to_string(button));
}

bool Click(int x, int y, int button) {
    return MoveMouse(x, y) && Xdotool("click " + std::to_string(button));
}

COLORREF ScreenPixel(int x, int y) {
    HDC screen = ::GetDC(nullptr);
    COLORREF colour = ::GetPixel(screen, x, y);
    ::ReleaseDC(nullptr, screen);
    return colour;
}

POINT ClientToScreenPoint(HWND hwnd, int x, int y) {
    POINT point{x, y};
    ::ClientToScreen(hwnd, &point);
    return point;
}

std::string SaveScreenshot(const std::string& name) {
    std::string folder = e2e::ProgramFolder();  // ...\bin
    folder.resize(folder.find_last_of('\\') + 1);
    folder += "screenshots";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    std::string path = hostcmd::HostPath(folder + "\\" + name + ".png");
    hostcmd::Result result = hostcmd::Run("import -window root " + hostcmd::ShellQuote(path), 30000);
    return result.finished && result.exitCode == 0 ? path : std::string();
}

}  // namespace desktop
