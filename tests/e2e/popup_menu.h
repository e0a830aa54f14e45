// A context menu of the running program as the user sees it: its popup
// window, and its text lines read back from the screen, each with its place
// and whether it is drawn in the menu's normal dark text or greyed. (Another
// process's menu handle cannot be asked under Wine; its picture can.)
#pragma once

#include <windows.h>

#include <vector>

namespace e2e {

struct MenuLine {
    RECT screen;  // the line's text band across the menu
    bool enabled;
    POINT Centre() const { return {(screen.left + screen.right) / 2, (screen.top + screen.bottom) / 2}; }
};

// The shown popup menu of the process, or null when none showed within `ms`.
HWND WaitForPopupMenu(DWORD processId, DWORD ms);

// Waits until the popup shows `count` text lines (separators are not lines)
// and returns them top to bottom; fewer when it never did within `ms`.
std::vector<MenuLine> WaitForMenuLines(HWND popup, size_t count, DWORD ms = 10000);

// The enabled flags of the lines, for comparing in one go.
std::vector<bool> EnabledFlags(const std::vector<MenuLine>& lines);

}  // namespace e2e
