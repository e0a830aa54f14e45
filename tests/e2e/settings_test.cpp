// The settings dialog of the running program, opened by its command: where
// and how it shows, what it lists with no output format chosen, and that
// none of its three ways out changes the main window's format selectors.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/e2e/recorder_session.h"
#include "tests/support/fixture_paths.h"
#include "tests/support/process_helpers.h"
#include "tests/support/ui_helpers.h"

namespace {

using e2e::RecorderSession;

constexpr int kSelectors[] = {IDC_FORMAT, IDC_RESOLUTION, IDC_PICTURE_FIT, IDC_VIDEO_BITRATE,
                              IDC_AUDIO_BITRATE};

// The main window's selectors as (count, selection) pairs.
std::vector<std::pair<LRESULT, LRESULT>> Selectors(const RecorderSession& session) {
    std::vector<std::pair<LRESULT, LRESULT>> state;
    for (int id : kSelectors)
        state.emplace_back(::SendMessageA(session.Control(id), CB_GETCOUNT, 0, 0),
                           ::SendMessageA(session.Control(id), CB_GETCURSEL, 0, 0));
    return state;
}

HWND SettingsDialog() {
    HWND dialog = ::FindWindowA("#32770", "Settings");
    return dialog && ::IsWindowVisible(dialog) ? dialog : nullptr;
}

HWND OpenSettings(const RecorderSession& session) {
    ::PostMessageA(session.Main(), WM_COMMAND, MAKEWPARAM(IDC_SETTINGS, BN_CLICKED),
                   reinterpret_cast<LPARAM>(session.Control(IDC_SETTINGS)));
    HWND dialog = nullptr;
    e2e::WaitUntil([&] { return (dialog = SettingsDialog()) != nullptr; }, 10000);
    return dialog;
}

// Asked of the control itself: GetWindowText on another process's window
// gives only its caption, never a list's selected entry.
std::string Text(HWND window) {
    char text[256] = {};
    ::SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

TEST(SettingsDialog, OpensCentredOnTheMainWindowAndNoWayOutChangesItsSelectors) {
    const std::string scratch = e2e::MakeScratchFolder("lumiskop-settings");
    RecorderSession session(scratch + "\\recordings");
    ASSERT_NE(session.Main(), nullptr);
    const auto before = Selectors(session);
    // No profile is filled in: no format is chosen; the picture fit has its three.
    EXPECT_EQ(before[0], (std::pair<LRESULT, LRESULT>{0, CB_ERR}));
    EXPECT_EQ(before[2], (std::pair<LRESULT, LRESULT>{3, 0}));

    HWND dialog = OpenSettings(session);
    ASSERT_NE(dialog, nullptr) << "command 1045 opened no settings dialog";
    EXPECT_EQ(::GetWindow(dialog, GW_OWNER), session.Main());
    EXPECT_FALSE(::IsWindowEnabled(session.Main())) << "the dialog is modal";
    RECT rect, main;
    ASSERT_TRUE(::GetWindowRect(dialog, &rect));
    ASSERT_TRUE(::GetWindowRect(session.Main(), &main));
    EXPECT_EQ(rect.right - rect.left, 500);
    EXPECT_EQ(rect.bottom - rect.top, 300);
    EXPECT_EQ(rect.left - main.left, (510 - 500) / 2);
    EXPECT_EQ(rect.top - main.top, (620 - 300) / 2);
    EXPECT_EQ(::GetWindowLongA(dialog, GWL_STYLE) & WS_CAPTION, 0);
    HRGN shape = ::CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(::GetWindowRgn(dialog, shape), ERROR);
    EXPECT_FALSE(::PtInRegion(shape, 0, 0));
    EXPECT_FALSE(::PtInRegion(shape, 499, 0));
    EXPECT_TRUE(::PtInRegion(shape, 0, 299));
    EXPECT_TRUE(::PtInRegion(shape, 499, 299));
    EXPECT_TRUE(::PtInRegion(shape, 250, 0));
    ::DeleteObject(shape);

    HWND channels = ::GetDlgItem(dialog, IDC_SETTINGS_CHANNELS);
    EXPECT_EQ(::SendMessageA(channels, CB_GETCOUNT, 0, 0), 1);
    EXPECT_EQ(Text(channels), "2 Channels");
    for (int id : {IDC_SETTINGS_RESOLUTION, IDC_SETTINGS_VIDEO_BITRATE, IDC_SETTINGS_AUDIO_BITRATE}) {
        EXPECT_EQ(::SendDlgItemMessageA(dialog, id, CB_GETCOUNT, 0, 0), 0) << id;
        EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(dialog, id))) << id;
    }
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(dialog, IDC_SETTINGS_UNUSED1)));
    ui::PumpFor(300);
    ui::SaveScreenshot("settings-dialog");

    // Cancel, the close button and OK, each clicked with the pointer.
    for (int button : {IDCANCEL, IDC_SETTINGS_CLOSE, IDOK}) {
        if (!dialog) dialog = OpenSettings(session);
        ASSERT_NE(dialog, nullptr) << "the dialog did not open again before " << button;
        ASSERT_TRUE(ui::ClickWindow(::GetDlgItem(dialog, button)));
        EXPECT_TRUE(e2e::WaitUntil([] { return SettingsDialog() == nullptr; }, 10000))
            << "button " << button << " left the dialog open";
        EXPECT_TRUE(e2e::WaitUntil([&] { return ::IsWindowEnabled(session.Main()) != FALSE; }, 5000));
        EXPECT_EQ(Selectors(session), before) << "after button " << button;
        dialog = nullptr;
    }
    ASSERT_TRUE(session.CloseWithButton());
    e2e::RemoveScratchFolder(scratch);
}

}  // namespace
