// The trim dialog of the running program after a real call recording: the
// trim command opens it on the selected recording, it plays by itself, OK
// stores what was typed (opening it again shows it), and the main window's
// preview shows the recording's picture again afterwards.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/e2e/call_scene.h"
#include "tests/support/ui_helpers.h"

namespace {

using e2e::CallScene;

HWND TrimDialog(DWORD processId) {
    HWND found = nullptr;
    e2e::WaitUntil(
        [&] {
            HWND dialog = ::FindWindowA("#32770", "Trim");
            DWORD owner = 0;
            if (dialog) ::GetWindowThreadProcessId(dialog, &owner);
            found = dialog && owner == processId && ::IsWindowVisible(dialog) ? dialog : nullptr;
            return found != nullptr;
        },
        15000);
    return found;
}

std::string Text(HWND window) {
    char text[64] = {};
    ::SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

// Share of a window's client pixels that are near white: the conversation
// window recorded is white but for a small moving box.
double WhiteShare(HWND window, int width, int height) {
    const POINT origin = ui::ClientToScreenPoint(window, 0, 0);
    const std::vector<COLORREF> pixels = ui::ScreenPixels(origin.x, origin.y, width, height);
    size_t white = 0;
    for (COLORREF c : pixels) white += GetRValue(c) > 200 && GetGValue(c) > 200 && GetBValue(c) > 200;
    return pixels.empty() ? 0 : double(white) / double(pixels.size());
}

TEST(TrimCommand, OpensOnTheRecordingPlaysStoresAndGivesThePreviewBack) {
    CallScene scene;
    ASSERT_TRUE(scene.Ready()) << "the call could not be set up";
    auto& recorder = scene.Recorder();
    ASSERT_TRUE(scene.StartCallRecording());
    ::Sleep(4000);
    ASSERT_TRUE(recorder.PressKey("F9", scene.Conversation()));
    ASSERT_TRUE(scene.WaitForRows(1)) << "F9 did not stop the recording";
    const POINT row = recorder.RowCentre(0);
    ASSERT_TRUE(ui::Click(row.x, row.y));
    ::Sleep(1000);
    // The main window's preview sits out of sight; bring it over the list to
    // watch it.
    HWND preview = recorder.Control(IDC_PREVIEW_AREA);
    ::ShowWindow(recorder.Control(IDC_OUTPUT_LIST), SW_HIDE);
    ::SetWindowPos(preview, HWND_TOP, 15, 100, 280, 210, SWP_SHOWWINDOW);

    ::PostMessageA(recorder.Main(), WM_COMMAND, MAKEWPARAM(IDC_TRIM, BN_CLICKED),
                   reinterpret_cast<LPARAM>(recorder.Control(IDC_TRIM)));
    HWND dialog = TrimDialog(recorder.Process().Id());
    ASSERT_NE(dialog, nullptr) << "command 1042 opened no trim dialog";
    EXPECT_EQ(::GetWindow(dialog, GW_OWNER), recorder.Main());
    EXPECT_FALSE(::IsWindowEnabled(recorder.Main())) << "the dialog is modal";
    EXPECT_EQ(Text(::GetDlgItem(dialog, IDC_TRIM_START_TIME)), "00:00:00");
    const std::string duration = Text(::GetDlgItem(dialog, IDC_TRIM_END_TIME));
    EXPECT_TRUE(duration == "00:00:04" || duration == "00:00:05") << duration;

    // The main window gave its surface up: repainted, its preview shows the
    // skin's picture, not the recording.
    ::RedrawWindow(preview, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_TRUE(e2e::WaitUntil([&] { return WhiteShare(preview, 280, 210) < 0.2; }, 5000))
        << "the main window's preview still shows the recording";

    // It plays by itself: the recorded conversation, its box moving.
    HWND dialogPreview = ::GetDlgItem(dialog, IDC_TRIM_PREVIEW);
    ASSERT_TRUE(e2e::WaitUntil([&] { return WhiteShare(dialogPreview, 320, 240) > 0.8; }, 15000))
        << "the recording's picture did not show";
    const POINT origin = ui::ClientToScreenPoint(dialogPreview, 0, 0);
    const auto first = ui::ScreenPixels(origin.x, origin.y, 320, 240);
    EXPECT_TRUE(e2e::WaitUntil([&] { return ui::ScreenPixels(origin.x, origin.y, 320, 240) != first; }, 5000))
        << "the picture stood still";
    ui::SaveScreenshot("trim-dialog-e2e-playing");

    // A start typed and confirmed, then OK.
    HWND startEdit = ::GetDlgItem(dialog, IDC_TRIM_START_TIME);
    ASSERT_TRUE(ui::FocusForKeys(dialog));
    ASSERT_TRUE(ui::ClickWindow(startEdit));
    ASSERT_TRUE(ui::Xdo("key Home") && ui::Xdo("type 000002"));
    ASSERT_TRUE(ui::ClickWindow(::GetDlgItem(dialog, IDC_TRIM_START_OK)));
    EXPECT_TRUE(e2e::WaitUntil([&] { return Text(startEdit) == "00:00:02"; }, 5000)) << Text(startEdit);
    ASSERT_TRUE(ui::ClickWindow(::GetDlgItem(dialog, IDOK)));
    ASSERT_TRUE(e2e::WaitUntil([&] { return !::IsWindow(dialog); }, 15000)) << "OK did not close it";
    EXPECT_TRUE(e2e::WaitUntil([&] { return ::IsWindowEnabled(recorder.Main()) != 0; }, 5000));

    // The main window's preview surface is back with the recording's picture.
    EXPECT_TRUE(e2e::WaitUntil([&] { return WhiteShare(preview, 280, 210) > 0.8; }, 10000))
        << "the main window's preview did not come back";
    ui::SaveScreenshot("trim-main-preview-back");

    // Opened again, it shows what OK stored; Cancel closes it.
    ::PostMessageA(recorder.Main(), WM_COMMAND, MAKEWPARAM(IDC_TRIM, BN_CLICKED),
                   reinterpret_cast<LPARAM>(recorder.Control(IDC_TRIM)));
    dialog = TrimDialog(recorder.Process().Id());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(Text(::GetDlgItem(dialog, IDC_TRIM_START_TIME)), "00:00:02");
    ASSERT_TRUE(ui::ClickWindow(::GetDlgItem(dialog, IDCANCEL)));
    ASSERT_TRUE(e2e::WaitUntil([&] { return !::IsWindow(dialog); }, 15000)) << "Cancel did not close it";
    EXPECT_TRUE(recorder.Close());
}

}  // namespace
