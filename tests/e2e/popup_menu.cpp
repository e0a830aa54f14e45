#include "tests/e2e/popup_menu.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>

#include "tests/support/process_helpers.h"
#include "tests/support/ui_helpers.h"

namespace e2e {

namespace {

// The popup's frame and the band a separator draws are thinner than this.
constexpr int kBorder = 3;
constexpr int kLeastLineHeight = 5;

int Distance(COLORREF a, COLORREF b) {
    return std::max({std::abs(int(GetRValue(a)) - int(GetRValue(b))),
                     std::abs(int(GetGValue(a)) - int(GetGValue(b))),
                     std::abs(int(GetBValue(a)) - int(GetBValue(b)))});
}

bool Dark(COLORREF c) {
    return GetRValue(c) < 90 && GetGValue(c) < 90 && GetBValue(c) < 90;
}

std::vector<MenuLine> ReadMenuLines(HWND popup) {
    RECT rect;
    if (!::GetWindowRect(popup, &rect)) return {};
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (width <= 2 * kBorder || height <= 2 * kBorder) return {};
    const std::vector<COLORREF> pixels = ui::ScreenPixels(rect.left, rect.top, width, height);
    // The menu's face is its most common colour.
    std::map<COLORREF, int> counts;
    for (COLORREF c : pixels) ++counts[c];
    const COLORREF face =
        std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;

    std::vector<MenuLine> lines;
    int bandTop = -1;
    bool bandDark = false;
    for (int y = kBorder; y <= height - kBorder; ++y) {
        bool ink = false, dark = false;
        for (int x = kBorder; y < height - kBorder && x < width - kBorder; ++x) {
            const COLORREF c = pixels[size_t(y) * size_t(width) + size_t(x)];
            ink = ink || Distance(c, face) > 48;
            dark = dark || Dark(c);
        }
        if (ink && bandTop < 0) bandTop = y, bandDark = false;
        if (ink) bandDark = bandDark || dark;
        if (!ink && bandTop >= 0) {
            if (y - bandTop >= kLeastLineHeight)
                lines.push_back({{rect.left + kBorder, rect.top + bandTop, rect.right - kBorder, rect.top + y}, bandDark});
            bandTop = -1;
        }
    }
    return lines;
}

struct PopupSearch {
    DWORD processId;
    HWND found = nullptr;
};

BOOL CALLBACK FindPopup(HWND hwnd, LPARAM lp) {
    auto* search = reinterpret_cast<PopupSearch*>(lp);
    char name[16] = {};
    DWORD owner = 0;
    ::GetWindowThreadProcessId(hwnd, &owner);
    if (owner == search->processId && ::IsWindowVisible(hwnd) && ::GetClassNameA(hwnd, name, sizeof name) &&
        std::string(name) == "#32768") {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND WaitForPopupMenu(DWORD processId, DWORD ms) {
    PopupSearch search{processId};
    WaitUntil([&] {
        ::EnumWindows(&FindPopup, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
    }, ms);
    return search.found;
}

std::vector<MenuLine> WaitForMenuLines(HWND popup, size_t count, DWORD ms) {
    std::vector<MenuLine> lines;
    WaitUntil([&] { return (lines = ReadMenuLines(popup)).size() == count; }, ms);
    return lines;
}

std::vector<bool> EnabledFlags(const std::vector<MenuLine>& lines) {
    std::vector<bool> flags;
    for (const MenuLine& line : lines) flags.push_back(line.enabled);
    return flags;
}

}  // namespace e2e
