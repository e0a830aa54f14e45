// Ending the program in the middle of a call recording: the recording is
// stopped and its file closed, the sound devices are given back and the audio
// engine ends, whether the user closes the window or picks "Exit" on the
// floating stop window.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "res/resource.h"
#include "tests/e2e/call_scene.h"
#include "tests/support/media_probe.h"
#include "tests/support/registry_helpers.h"

namespace {

using e2e::CallScene;

bool EngineRunning() {
    return ::FindWindowA("#32770", "Quorvanta Audio Engine") != nullptr;
}

// The year in the virtual playback device's "Role:0" stamp, or 0.
int VirtualDeviceStampYear() {
    const std::string endpoint = reg::EndpointNamed(reg::kRender, "Quorvanta VAudio");
    const auto stamp = reg::ReadValue(HKEY_LOCAL_MACHINE, endpoint, "Role:0");
    if (endpoint.empty() || !stamp || stamp->size() != sizeof(SYSTEMTIME)) return 0;
    return reinterpret_cast<const SYSTEMTIME*>(stamp->data())->wYear;
}

class ClosingWhileRecording : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(scene.Ready()) << "the call could not be set up";
        ASSERT_TRUE(scene.StartCallRecording());
        ::Sleep(3000);
    }

    // The program ended by itself, left one playable recording of about three
    // seconds and no engine behind.
    void ExpectCleanEnd() {
        ASSERT_TRUE(scene.Recorder().Process().WaitForExit(20000)) << "the program did not end";
        const auto files = scene.Recordings();
        ASSERT_EQ(files.size(), 1u);
        const std::string path = scene.Folder() + "\\" + files[0];
        EXPECT_EQ(Probe(path, "v", "stream=codec_tag_string,width,height"), "MP43,480,360");
        const auto frames = DecodeFrames(path, 480, 360);
        EXPECT_GE(frames.size(), 40u) << "the pictures recorded before the end are missing";
        EXPECT_FALSE(DecodeAudio(path).empty()) << "the sound recorded before the end is missing";
        EXPECT_TRUE(e2e::WaitUntil([] { return !EngineRunning(); }, 10000))
            << "the audio engine outlived the program";
        SYSTEMTIME now;
        ::GetLocalTime(&now);
        EXPECT_EQ(VirtualDeviceStampYear(), now.wYear - 10) << "the playback device was not given back";
    }

    CallScene scene;
};

TEST_F(ClosingWhileRecording, TheCloseButtonFinishesTheFile) {
    e2e::RecorderSession& recorder = scene.Recorder();
    ::ShowWindow(recorder.Main(), SW_RESTORE);
    ASSERT_TRUE(e2e::WaitUntil([&] { return !::IsIconic(recorder.Main()); }, 5000));
    ASSERT_TRUE(recorder.ClickControl(IDC_CLOSE));
    ExpectCleanEnd();
}

TEST_F(ClosingWhileRecording, ExitOnTheStopWindowFinishesTheFile) {
    // "Exit" sits on the stop window's context menu; the test sends its command.
    HWND stop = scene.StopWindow();
    ASSERT_NE(stop, nullptr);
    ::PostMessageA(stop, WM_COMMAND, MAKEWPARAM(ID_FLOAT_EXIT, 0), 0);
    ExpectCleanEnd();
}

}  // namespace
