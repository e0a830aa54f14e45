// The cursor watcher library's interface, for the programs that load it.
// After InstallMyHook(window, message) the library posts `message` to
// `window` with the current cursor's handle in wParam whenever the cursor's
// shape changes, whichever program's window the cursor is over. The handle
// is usable in the receiving program.
#pragma once

#include <windows.h>

extern "C" {
typedef BOOL(WINAPI* InstallMyHookFn)(HWND window, UINT message);
typedef BOOL(WINAPI* UninstallMyHookFn)(HWND window);
}
