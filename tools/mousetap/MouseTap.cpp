// mousetap.dll. Two halves: a global hook that runs inside every program and
// announces each cursor the program sets, with its picture (under Wine a
// cursor handle means nothing in another program, and GetCursorInfo only
// knows the foreground window's cursor), and a watcher thread in the program
// that installed the hook, which posts the current cursor as a handle it can
// draw.
#include <windows.h>

#include "tools/mousetap/CursorShape.h"
#include "tools/mousetap/ShapeTable.h"
#include "tools/mousetap/Watcher.h"

namespace {

HMODULE g_module = nullptr;
HHOOK g_hook = nullptr;

// Runs in whichever program's thread just handled WM_SETCURSOR, which the
// system sends to the window under the pointer whenever the pointer moves.
void PublishOwnCursor() {
    HCURSOR cursor = ::GetCursor();
    if (!cursor) return;
    if (!shapes::Has({::GetCurrentProcessId(), cursor})) {
        static CursorShape shape;
        if (!CaptureShape(cursor, shape) || !shapes::Publish(cursor, shape)) return;
    }
    shapes::Announce(cursor);
}

LRESULT CALLBACK AfterWindowProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        const auto* message = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
        if (message->message == WM_SETCURSOR) PublishOwnCursor();
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

extern "C" BOOL WINAPI InstallMyHook(HWND window, UINT message) {
    if (!watcher::AddTarget(window, message)) return FALSE;
    if (!g_hook) g_hook = ::SetWindowsHookExA(WH_CALLWNDPROCRET, AfterWindowProc, g_module, 0);
    if (g_hook) return TRUE;
    const DWORD error = ::GetLastError();
    watcher::RemoveTarget(window);
    ::SetLastError(error);
    return FALSE;
}

extern "C" BOOL WINAPI UninstallMyHook(HWND window) {
    if (!watcher::RemoveTarget(window)) return FALSE;
    if (!watcher::HasTargets() && g_hook) {
        ::UnhookWindowsHookEx(g_hook);
        g_hook = nullptr;
    }
    return TRUE;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = instance;
        ::DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}
