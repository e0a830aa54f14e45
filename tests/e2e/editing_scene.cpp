#include "tests/e2e/editing_scene.h"

#include <vector>

#include "res/resource.h"
#include "tests/support/ui_helpers.h"

namespace e2e {

HWND RecordAndSelectCall(CallScene& scene, DWORD recordMs) {
    RecorderSession& recorder = scene.Recorder();
    if (!scene.StartCallRecording()) return nullptr;
    ::Sleep(recordMs);
    if (!recorder.PressKey("F9", scene.Conversation()) || !scene.WaitForRows(1)) return nullptr;
    const POINT row = recorder.RowCentre(0);
    if (!ui::Click(row.x, row.y)) return nullptr;
    ::Sleep(1000);
    HWND preview = recorder.Control(IDC_PREVIEW_AREA);
    ::ShowWindow(recorder.Control(IDC_OUTPUT_LIST), SW_HIDE);
    ::SetWindowPos(preview, HWND_TOP, 15, 100, 280, 210, SWP_SHOWWINDOW);
    return preview;
}

HWND OpenEditingDialog(RecorderSession& recorder, int command, const char* caption) {
    ::PostMessageA(recorder.Main(), WM_COMMAND, MAKEWPARAM(command, BN_CLICKED),
                   reinterpret_cast<LPARAM>(recorder.Control(command)));
    HWND found = nullptr;
    WaitUntil(
        [&] {
            HWND dialog = ::FindWindowA("#32770", caption);
            DWORD owner = 0;
            if (dialog) ::GetWindowThreadProcessId(dialog, &owner);
            found = dialog && owner == recorder.Process().Id() && ::IsWindowVisible(dialog) ? dialog : nullptr;
            return found != nullptr;
        },
        15000);
    return found;
}

double WhiteShare(HWND window, int width, int height) {
    const POINT origin = ui::ClientToScreenPoint(window, 0, 0);
    const std::vector<COLORREF> pixels = ui::ScreenPixels(origin.x, origin.y, width, height);
    size_t white = 0;
    for (COLORREF c : pixels) white += GetRValue(c) > 200 && GetGValue(c) > 200 && GetBValue(c) > 200;
    return pixels.empty() ? 0 : double(white) / double(pixels.size());
}

}  // namespace e2e
