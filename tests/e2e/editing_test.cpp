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
#include "tests/e2e/editing_scene.h"
#include "tests/support/ui_helpers.h"

namespace {

using e2e::CallScene;

std::string Text(HWND window) {
    char text[64] = {};
    ::SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

TEST(TrimCommand, OpensOnTheRecordingPlaysStoresAndGivesThePreviewBack) {
    CallScene scene;
    ASSERT_TRUE(scene.Ready()) << "the call could not be set up";
    auto& recorder = scene.Recorder();
    HWND preview = e2e::RecordAndSelectCall(scene, 4000);
    ASSERT_NE(preview, nullptr) << "the call was not recorded and selected";
    HWND dialog = e2e::OpenEditingDialog(recorder, IDC_TRIM, "Trim");
    ASSERT_NE(dialog, nullptr) << "command 1042 opened no trim dialog";
    EXPECT_EQ(::GetWindow(dialog, GW_OWNER), recorder.Main());
    EXPECT_FALSE(::IsWindowEnabled(recorder.Main())) << "the dialog is modal";
    EXPECT_EQ(Text(::GetDlgItem(dialog, IDC_TRIM_START_TIME)), "00:00:00");
    const std::string duration = Text(::GetDlgItem(dialog, IDC_TRIM_END_TIME));
    EXPECT_TRUE(duration == "00:00:04" || duration == "00:00:05") << duration;

    // The main window gave its surface up: repainted, its preview shows the
    // skin's picture, not the recording.
    ::RedrawWindow(preview, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::WhiteShare(preview, 280, 210) < 0.2; }, 5000))
        << "the main window's preview still shows the recording";

    // It plays by itself: the recorded conversation, its box moving.
    HWND dialogPreview = ::GetDlgItem(dialog, IDC_TRIM_PREVIEW);
    ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::WhiteShare(dialogPreview, 320, 240) > 0.8; }, 15000))
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
    EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::WhiteShare(preview, 280, 210) > 0.8; }, 10000))
        << "the main window's preview did not come back";
    ui::SaveScreenshot("trim-main-preview-back");

    // Opened again, it shows what OK stored; Cancel closes it.
    dialog = e2e::OpenEditingDialog(recorder, IDC_TRIM, "Trim");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(Text(::GetDlgItem(dialog, IDC_TRIM_START_TIME)), "00:00:02");
    ASSERT_TRUE(ui::ClickWindow(::GetDlgItem(dialog, IDCANCEL)));
    ASSERT_TRUE(e2e::WaitUntil([&] { return !::IsWindow(dialog); }, 15000)) << "Cancel did not close it";
    EXPECT_TRUE(recorder.Close());
}

}  // namespace
