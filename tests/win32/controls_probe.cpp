#include "tests/win32/controls_probe.h"

#include <cstdio>
#include <cstdlib>

#include "controls/SkinFiles.h"
#include "framework/ProgramFolder.h"
#include "skin/ImageFiles.h"
#include "tests/win32/controls_probe_ids.h"

namespace probe {

ProbeDialog::ProbeDialog() : fw::CDialog(IDD_CONTROLS_PROBE) {}

bool ProbeDialog::Open(int x, int y, int width, int height) {
    if (!Create(nullptr)) return false;
    ::SetWindowPos(m_hWnd, HWND_TOP, x, y, width, height, SWP_SHOWWINDOW);
    ::UpdateWindow(m_hWnd);
    return true;
}

void ProbeDialog::Place(int id, int x, int y, int width, int height) const {
    ::SetWindowPos(GetDlgItem(id), nullptr, x, y, width, height, SWP_NOZORDER | SWP_SHOWWINDOW);
}

int ProbeDialog::Count(const std::vector<std::pair<int, int>>& log, int id, int code) const {
    int n = 0;
    for (const auto& entry : log)
        if (entry.first == id && entry.second == code) ++n;
    return n;
}

LRESULT ProbeDialog::OnCommand(UINT, WPARAM wp, LPARAM, BOOL& handled) {
    commands.emplace_back(LOWORD(wp), HIWORD(wp));
    handled = FALSE;
    return 0;
}

LRESULT ProbeDialog::OnNotify(UINT, WPARAM, LPARAM lp, BOOL& handled) {
    const auto* header = reinterpret_cast<const NMHDR*>(lp);
    notifications.emplace_back(static_cast<int>(header->idFrom), static_cast<int>(header->code));
    handled = FALSE;
    return 0;
}

bool OwnerWindow::Open(int x, int y, int width, int height) {
    WNDCLASSA wc{};
    wc.lpszClassName = "ControlsProbeOwner";
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    if (!RegisterClassFor(wc)) return false;
    if (!CreateEx(0, "ControlsProbeOwner", "Probe owner", WS_POPUP | WS_VISIBLE, x, y, width, height,
                  nullptr, nullptr))
        return false;
    ::UpdateWindow(m_hWnd);
    return true;
}

std::string WriteBitmapPixels(const std::string& name, int width, int height,
                              const std::vector<COLORREF>& topDownPixels) {
    skin::RgbImage image;
    image.width = width;
    image.height = height;
    for (COLORREF c : topDownPixels)
        image.rgb.insert(image.rgb.end(), {GetRValue(c), GetGValue(c), GetBValue(c)});
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    std::string path = std::string(temp) + "controls-test-" + std::to_string(::GetCurrentProcessId()) +
                       "-" + name + ".bmp";
    skin::WriteFile(path, skin::EncodeBmp(image));
    return path;
}

std::string WriteSolidBitmap(const std::string& name, int width, int height, COLORREF colour) {
    return WriteBitmap(name, width, height, [colour](int, int) { return colour; });
}

std::string MainSkinFolder() {
    return fw::ProgramFolder() + skinfiles::kMainFolder;
}

std::string DialogSkinFolder() {
    return fw::ProgramFolder() + skinfiles::kDialogFolder;
}

std::string Describe(COLORREF colour) {
    if (colour == CLR_INVALID) return "invalid";
    char text[32];
    std::snprintf(text, sizeof text, "RGB(%d, %d, %d)", GetRValue(colour), GetGValue(colour),
                  GetBValue(colour));
    return text;
}

}  // namespace probe
