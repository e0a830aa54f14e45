// The effects and crop dialogs of the running program after a real call
// recording: each command opens its dialog on the selected recording, which
// plays by itself, picture and sound; the effect sliders change both at once;
// OK stores (opening again shows it) and the main window's preview comes back.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/e2e/call_scene.h"
#include "tests/support/sound_rig.h"
#include "tests/support/tone.h"
#include "tests/support/ui_helpers.h"

namespace {

using e2e::CallScene;

HWND OpenDialog(e2e::RecorderSession& recorder, int command, const char* caption) {
    ::PostMessageA(recorder.Main(), WM_COMMAND, MAKEWPARAM(command, BN_CLICKED),
                   reinterpret_cast<LPARAM>(recorder.Control(command)));
    HWND found = nullptr;
    e2e::WaitUntil(
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

// Share of a window's top-left width × height pixels that are near white
// (the recorded conversation window is white but for a small moving box).
double BrightShare(HWND window, int width, int height) {
    const POINT origin = ui::ClientToScreenPoint(window, 0, 0);
    size_t bright = 0;
    const std::vector<COLORREF> pixels = ui::ScreenPixels(origin.x, origin.y, width, height);
    for (COLORREF c : pixels) bright += GetRValue(c) > 200 && GetGValue(c) > 200 && GetBValue(c) > 200;
    return pixels.empty() ? 0 : double(bright) / double(pixels.size());
}

// How much of what the speakers play is the recorded microphone's tone (the
// live far end reaches them through the audio engine too).
double MicrophoneToneOnSpeakers() {
    const std::vector<int16_t> heard = soundrig::RecordMonitor(soundrig::kSpeakersSink, 2.0);
    return tone::MaxWindowShare(heard.data(), heard.size() / 2, 1, e2e::kMicrophoneHz, 4800);
}

// A click on a track bar (focusing it) and a key for it.
bool KeyOnBar(HWND dialog, int id, const char* key) {
    return ui::FocusForKeys(dialog) && ui::ClickWindow(::GetDlgItem(dialog, id)) &&
           ui::Xdo(std::string("key ") + key);
}

LRESULT BarPos(HWND dialog, int id) { return ::SendDlgItemMessageA(dialog, id, TBM_GETPOS, 0, 0); }

TEST(EffectsCommand, PlaysTheRecordingChangesPictureAndSoundLiveAndStoresOnOk) {
    CallScene scene;
    ASSERT_TRUE(scene.Ready()) << "the call could not be set up";
    auto& recorder = scene.Recorder();
    ASSERT_TRUE(scene.StartCallRecording());
    // Long enough to go on playing through every check below.
    ::Sleep(15000);
    ASSERT_TRUE(recorder.PressKey("F9", scene.Conversation()));
    ASSERT_TRUE(scene.WaitForRows(1)) << "F9 did not stop the recording";
    const POINT row = recorder.RowCentre(0);
    ASSERT_TRUE(ui::Click(row.x, row.y));
    ::Sleep(1000);
    // The main window's preview sits out of sight: bring it over the list.
    HWND mainPreview = recorder.Control(IDC_PREVIEW_AREA);
    ::ShowWindow(recorder.Control(IDC_OUTPUT_LIST), SW_HIDE);
    ::SetWindowPos(mainPreview, HWND_TOP, 15, 100, 280, 210, SWP_SHOWWINDOW);

    HWND dialog = OpenDialog(recorder, IDC_EFFECT, "Effects");
    ASSERT_NE(dialog, nullptr) << "command 1044 opened no effects dialog";
    EXPECT_FALSE(::IsWindowEnabled(recorder.Main())) << "the dialog is modal";
    ASSERT_TRUE(e2e::WaitUntil([&] { return ::IsWindowEnabled(::GetDlgItem(dialog, IDOK)) != 0; }, 15000))
        << "the dialog never played";
    HWND preview = ::GetDlgItem(dialog, IDC_EFFECT_PREVIEW);
    EXPECT_TRUE(e2e::WaitUntil([&] { return BrightShare(preview, 320, 240) > 0.8; }, 10000))
        << "the recording's picture did not show";
    EXPECT_GT(MicrophoneToneOnSpeakers(), 0.3) << "the recording's sound did not reach the speakers";
    ui::SaveScreenshot("effect-dialog-e2e-playing");

    // Brightness all the way down: the white picture turns gray while it plays.
    ASSERT_TRUE(KeyOnBar(dialog, IDC_EFFECT_BRIGHTNESS, "Home"));
    EXPECT_EQ(BarPos(dialog, IDC_EFFECT_BRIGHTNESS), 0);
    EXPECT_TRUE(e2e::WaitUntil([&] { return BrightShare(preview, 320, 240) < 0.05; }, 5000))
        << BrightShare(preview, 320, 240);
    // Volume 0: the recording falls silent.
    ASSERT_TRUE(KeyOnBar(dialog, IDC_EFFECT_VOLUME, "Home"));
    EXPECT_EQ(BarPos(dialog, IDC_EFFECT_VOLUME), 0);
    EXPECT_LT(MicrophoneToneOnSpeakers(), 0.05) << "volume 0 still plays the recording";
    ui::SaveScreenshot("effect-dialog-e2e-changed");

    ASSERT_TRUE(ui::ClickWindow(::GetDlgItem(dialog, IDOK)));
    ASSERT_TRUE(e2e::WaitUntil([&] { return !::IsWindow(dialog); }, 15000)) << "OK did not close it";
    EXPECT_TRUE(e2e::WaitUntil([&] { return ::IsWindowEnabled(recorder.Main()) != 0; }, 5000));
    EXPECT_TRUE(e2e::WaitUntil([&] { return BrightShare(mainPreview, 280, 210) > 0.8; }, 10000))
        << "the main window's preview did not come back";

    dialog = OpenDialog(recorder, IDC_EFFECT, "Effects");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(BarPos(dialog, IDC_EFFECT_BRIGHTNESS), 0) << "brightness -100 was not stored";
    EXPECT_EQ(BarPos(dialog, IDC_EFFECT_VOLUME), 0) << "volume 0 was not stored";
    ASSERT_TRUE(e2e::WaitUntil([&] { return ::IsWindowEnabled(::GetDlgItem(dialog, IDC_EFFECT_CLOSE)) != 0; }, 15000));
    ASSERT_TRUE(ui::ClickWindow(::GetDlgItem(dialog, IDC_EFFECT_CLOSE)));
    ASSERT_TRUE(e2e::WaitUntil([&] { return !::IsWindow(dialog); }, 15000)) << "Close did not close it";

    // The crop command on the same recording: it plays, the picture inside
    // the full rectangle unchanged.
    dialog = OpenDialog(recorder, IDC_CROP, "Crop");
    ASSERT_NE(dialog, nullptr) << "command 1043 opened no crop dialog";
    preview = ::GetDlgItem(dialog, IDC_CROP_PREVIEW);
    EXPECT_TRUE(e2e::WaitUntil([&] { return BrightShare(preview, 320, 240) > 0.8; }, 15000))
        << "the crop dialog did not play the recording";
    ui::SaveScreenshot("crop-dialog-e2e-playing");
    ASSERT_TRUE(ui::ClickWindow(::GetDlgItem(dialog, IDCANCEL)));
    ASSERT_TRUE(e2e::WaitUntil([&] { return !::IsWindow(dialog); }, 15000)) << "Cancel did not close it";
    EXPECT_TRUE(e2e::WaitUntil([&] { return BrightShare(mainPreview, 280, 210) > 0.8; }, 10000));
    EXPECT_TRUE(recorder.Close());
}

}  // namespace
