// The settings dialog of the running program, opened by its command: where
// and how it shows, the MP4 format's lists it shows, that none of its three
// ways out changes the main window's format selectors unasked, and that a
// choice made with the keys and OK reaches the selectors and config.ini and
// is there again at the next start.
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
    // MP4 chosen, its lists at their defaults; the picture fit has its three.
    EXPECT_EQ(before, (std::vector<std::pair<LRESULT, LRESULT>>{{1, 0}, {5, 0}, {3, 0}, {5, 0}, {3, 1}}));
    EXPECT_EQ(Text(session.Control(IDC_FORMAT)), "MP4 (H.264 + AAC)");

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
    const struct {
        int id;
        LRESULT count;
        const char* shown;
    } lists[] = {{IDC_SETTINGS_RESOLUTION, 5, "As recorded"},
                 {IDC_SETTINGS_VIDEO_BITRATE, 5, "Automatic"},
                 {IDC_SETTINGS_AUDIO_BITRATE, 3, "128 kbit/s"}};
    for (const auto& list : lists) {
        EXPECT_EQ(::SendDlgItemMessageA(dialog, list.id, CB_GETCOUNT, 0, 0), list.count) << list.id;
        EXPECT_EQ(Text(::GetDlgItem(dialog, list.id)), list.shown) << list.id;
        EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(dialog, list.id))) << list.id;
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

// Opens a drop-down list with the pointer and moves `steps` entries down.
bool ChooseDown(HWND list, int steps) {
    if (!ui::ClickWindow(list)) return false;
    for (int i = 0; i < steps; ++i)
        if (!ui::Xdo("key Down")) return false;
    return ui::Xdo("key Return");
}

// The lines of config.ini's [Convert] section.
std::string ConvertSection(const std::string& config) {
    const size_t start = config.find("[Convert]");
    if (start == std::string::npos) return {};
    const size_t end = config.find('[', start + 1);
    return config.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

TEST(SettingsDialog, AChoiceMadeWithTheKeysIsKeptInConfigAndBackAtTheNextStart) {
    const std::string scratch = e2e::MakeScratchFolder("lumiskop-settings");
    std::string kept;
    {
        RecorderSession session(scratch + "\\recordings");
        ASSERT_NE(session.Main(), nullptr);
        HWND dialog = OpenSettings(session);
        ASSERT_NE(dialog, nullptr);
        ASSERT_TRUE(ui::FocusForKeys(dialog));
        ASSERT_TRUE(ChooseDown(::GetDlgItem(dialog, IDC_SETTINGS_RESOLUTION), 2));
        ASSERT_TRUE(ChooseDown(::GetDlgItem(dialog, IDC_SETTINGS_VIDEO_BITRATE), 1));
        ASSERT_TRUE(ChooseDown(::GetDlgItem(dialog, IDC_SETTINGS_AUDIO_BITRATE), 1));
        EXPECT_EQ(Text(::GetDlgItem(dialog, IDC_SETTINGS_RESOLUTION)), "1280 x 720");
        ASSERT_TRUE(ui::ClickWindow(::GetDlgItem(dialog, IDOK)));
        ASSERT_TRUE(e2e::WaitUntil([] { return SettingsDialog() == nullptr; }, 10000));
        const auto after = Selectors(session);
        EXPECT_EQ(after[1].second, 2);
        EXPECT_EQ(after[3].second, 1);
        EXPECT_EQ(after[4].second, 2);
        kept = ConvertSection(session.ConfigText());
        EXPECT_EQ(kept, "[Convert]\r\nWidth=1280\r\nHeight=720\r\nVideoKbps=500\r\nAudioKbps=192\r\n");
        ASSERT_TRUE(session.CloseWithButton());
    }
    // Started again with that section, one value spoiled by hand: the rest
    // comes back, the spoiled one is its default.
    const size_t audio = kept.find("AudioKbps=");
    ASSERT_NE(audio, std::string::npos);
    RecorderSession again(scratch + "\\recordings", kept.substr(0, audio) + "AudioKbps=banana\r\n");
    ASSERT_NE(again.Main(), nullptr);
    const auto restored = Selectors(again);
    EXPECT_EQ(restored[1].second, 2);
    EXPECT_EQ(restored[3].second, 1);
    EXPECT_EQ(restored[4].second, 1);
    ASSERT_TRUE(again.CloseWithButton());
    e2e::RemoveScratchFolder(scratch);
}

}  // namespace
