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
#include "tests/e2e/editing_scene.h"
#include "tests/support/sound_rig.h"
#include "tests/support/tone.h"
#include "tests/support/ui_helpers.h"

namespace {

using e2e::CallScene;

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
    // Long enough to go on playing through every check below.
    HWND mainPreview = e2e::RecordAndSelectCall(scene, 30000);
    ASSERT_NE(mainPreview, nullptr) << "the call was not recorded and selected";

    HWND dialog = e2e::OpenEditingDialog(recorder, IDC_EFFECT, "Effects");
    ASSERT_NE(dialog, nullptr) << "command 1044 opened no effects dialog";
    EXPECT_FALSE(::IsWindowEnabled(recorder.Main())) << "the dialog is modal";
    ASSERT_TRUE(e2e::WaitUntil([&] { return ::IsWindowEnabled(::GetDlgItem(dialog, IDOK)) != 0; }, 15000))
        << "the dialog never played";
    HWND preview = ::GetDlgItem(dialog, IDC_EFFECT_PREVIEW);
    EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::WhiteShare(preview, 320, 240) > 0.8; }, 10000))
        << "the recording's picture did not show";
    // The sound path is slow to start and to empty: listen a few times.
    double heard = 0;
    for (int listen = 0; listen < 4 && heard <= 0.3; ++listen) heard = MicrophoneToneOnSpeakers();
    EXPECT_GT(heard, 0.3) << "the recording's sound did not reach the speakers";
    ui::SaveScreenshot("effect-dialog-e2e-playing");

    // Brightness all the way down: the white picture turns gray while it plays.
    ASSERT_TRUE(KeyOnBar(dialog, IDC_EFFECT_BRIGHTNESS, "Home"));
    EXPECT_EQ(BarPos(dialog, IDC_EFFECT_BRIGHTNESS), 0);
    EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::WhiteShare(preview, 320, 240) < 0.05; }, 5000))
        << e2e::WhiteShare(preview, 320, 240);
    // Volume 0: the recording falls silent.
    ASSERT_TRUE(KeyOnBar(dialog, IDC_EFFECT_VOLUME, "Home"));
    EXPECT_EQ(BarPos(dialog, IDC_EFFECT_VOLUME), 0);
    // What the sound device had queued plays out first.
    heard = 1;
    for (int listen = 0; listen < 3 && heard >= 0.05; ++listen) heard = MicrophoneToneOnSpeakers();
    EXPECT_LT(heard, 0.05) << "volume 0 still plays the recording";
    // Silent because of the volume, not because playing ended: the picture still moves.
    const POINT origin = ui::ClientToScreenPoint(preview, 0, 0);
    const auto shown = ui::ScreenPixels(origin.x, origin.y, 320, 240);
    EXPECT_TRUE(e2e::WaitUntil([&] { return ui::ScreenPixels(origin.x, origin.y, 320, 240) != shown; }, 3000))
        << "the recording stopped playing";
    ui::SaveScreenshot("effect-dialog-e2e-changed");

    ASSERT_TRUE(ui::ClickWindow(::GetDlgItem(dialog, IDOK)));
    ASSERT_TRUE(e2e::WaitUntil([&] { return !::IsWindow(dialog); }, 15000)) << "OK did not close it";
    EXPECT_TRUE(e2e::WaitUntil([&] { return ::IsWindowEnabled(recorder.Main()) != 0; }, 5000));
    EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::WhiteShare(mainPreview, 280, 210) > 0.8; }, 10000))
        << "the main window's preview did not come back";

    dialog = e2e::OpenEditingDialog(recorder, IDC_EFFECT, "Effects");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(BarPos(dialog, IDC_EFFECT_BRIGHTNESS), 0) << "brightness -100 was not stored";
    EXPECT_EQ(BarPos(dialog, IDC_EFFECT_VOLUME), 0) << "volume 0 was not stored";
    ASSERT_TRUE(e2e::WaitUntil([&] { return ::IsWindowEnabled(::GetDlgItem(dialog, IDC_EFFECT_CLOSE)) != 0; }, 15000));
    ASSERT_TRUE(ui::ClickWindow(::GetDlgItem(dialog, IDC_EFFECT_CLOSE)));
    ASSERT_TRUE(e2e::WaitUntil([&] { return !::IsWindow(dialog); }, 15000)) << "Close did not close it";

    // The crop command on the same recording: it plays, the picture inside
    // the full rectangle unchanged.
    dialog = e2e::OpenEditingDialog(recorder, IDC_CROP, "Crop");
    ASSERT_NE(dialog, nullptr) << "command 1043 opened no crop dialog";
    preview = ::GetDlgItem(dialog, IDC_CROP_PREVIEW);
    EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::WhiteShare(preview, 320, 240) > 0.8; }, 15000))
        << "the crop dialog did not play the recording";
    ui::SaveScreenshot("crop-dialog-e2e-playing");
    ASSERT_TRUE(ui::ClickWindow(::GetDlgItem(dialog, IDCANCEL)));
    ASSERT_TRUE(e2e::WaitUntil([&] { return !::IsWindow(dialog); }, 15000)) << "Cancel did not close it";
    EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::WhiteShare(mainPreview, 280, 210) > 0.8; }, 10000));
    EXPECT_TRUE(recorder.Close());
}

}  // namespace
