// Recording a rectangle the user draws: the region button shows the
// selector, a drag picks the rectangle and starts the recording, F9 stops it;
// F10 while drawing gives up without recording anything.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/e2e/recorder_session.h"
#include "tests/support/fixture_paths.h"
#include "tests/support/media_probe.h"
#include "tests/support/ui_helpers.h"

namespace {

using e2e::ChildProcess;
using e2e::RecorderSession;

// The rectangle drawn, inclusive: away from the main window at the top left.
constexpr int kLeft = 600, kTop = 300, kRight = 920, kBottom = 540;
constexpr const char* kSceneTitle = "Region scene";

class RegionRecording : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(recorder.Main(), nullptr);
        ::Sleep(1500);  // past the start-up check
        // Something that moves inside the rectangle: a window that fills it.
        scene = ChildProcess::Start("\"" + e2e::FixtureFolder() +
                                        "\\msnmsgr.exe\" \"--window=class=SceneWindow;title=" +
                                        kSceneTitle + ";at=" + std::to_string(kLeft) + "," +
                                        std::to_string(kTop) + "," + std::to_string(kRight - kLeft + 1) +
                                        "," + std::to_string(kBottom - kTop + 1) + "\"",
                                    e2e::FixtureFolder());
        ASSERT_NE(e2e::WaitForWindow(kSceneTitle, 15000, scene.Id()), nullptr);
    }
    void TearDown() override {
        if (HWND window = ::FindWindowA("SceneWindow", kSceneTitle)) ::PostMessageA(window, WM_CLOSE, 0, 0);
        scene.WaitForExit(5000);
        recorder.Close();
        e2e::RemoveScratchFolder(folder);
    }

    HWND ShowSelector() {
        if (!recorder.ClickControl(IDC_RECORD_REGION)) return nullptr;
        return e2e::WaitForWindowOfClass("ShiftRegionWindow", 10000, recorder.Process().Id());
    }

    const std::string folder = e2e::MakeScratchFolder("lumiskop-region");
    RecorderSession recorder{folder};
    ChildProcess scene;
};

TEST_F(RegionRecording, TheDrawnRectangleIsRecordedUntilF9) {
    HWND selector = ShowSelector();
    ASSERT_NE(selector, nullptr) << "the region selector did not appear";
    ASSERT_TRUE(ui::MoveMouse(kLeft, kTop));
    ASSERT_TRUE(ui::MouseDown());
    ASSERT_TRUE(ui::MoveMouse(800, 450));
    ASSERT_TRUE(ui::MoveMouse(kRight, kBottom));
    ui::SaveScreenshot("region-drawing");
    ASSERT_TRUE(ui::MouseUp());

    ASSERT_TRUE(e2e::WaitUntil([&] { return ::IsIconic(recorder.Main()) != 0; }, 10000))
        << "the recording did not start";
    EXPECT_FALSE(::IsWindowVisible(selector));
    ::Sleep(3000);
    ASSERT_TRUE(recorder.PressKey("F9", ::FindWindowA("SceneWindow", kSceneTitle)));
    ASSERT_TRUE(e2e::WaitUntil([&] { return recorder.ListRows().size() == 1; }, 20000))
        << "F9 did not stop the recording";

    const std::vector<std::string> files = FilesIn(folder, "*.avi");
    ASSERT_EQ(files.size(), 1u);
    const std::string path = folder + "\\" + files[0];
    // 321 x 241 pixels drawn; the picture keeps whole multiples of four.
    EXPECT_EQ(Probe(path, "v", "stream=codec_tag_string,width,height"), "MP43,320,240");
    const auto frames = DecodeFrames(path, 320, 240);
    ASSERT_GE(frames.size(), 50u);
    // The pictures show the scene window, white inside. The first half second
    // may still show the screen as the windows under the selector repaint.
    for (size_t f = 12; f < frames.size(); ++f) {
        const uint8_t* middle = &frames[f][(120 * 320 + 160) * 3];
        ASSERT_GT(middle[0] + middle[1] + middle[2], 600) << "picture " << f << " is not the scene";
    }
}

TEST_F(RegionRecording, F10WhileDrawingGivesUpAndRecordsNothing) {
    HWND selector = ShowSelector();
    ASSERT_NE(selector, nullptr) << "the region selector did not appear";
    ASSERT_TRUE(ui::MoveMouse(650, 350));
    ASSERT_TRUE(ui::MouseDown());
    ASSERT_TRUE(ui::MoveMouse(800, 450));
    ASSERT_TRUE(recorder.PressKey("F10", selector));
    ASSERT_TRUE(ui::MouseUp());
    EXPECT_TRUE(e2e::WaitUntil([&] { return !::IsWindowVisible(selector); }, 5000))
        << "F10 left the selector on screen";
    ::Sleep(2000);
    EXPECT_TRUE(FilesIn(folder, "*.avi").empty()) << "a recording started after all";
    EXPECT_TRUE(recorder.ListRows().empty());
    EXPECT_FALSE(::IsIconic(recorder.Main()));
    EXPECT_EQ(recorder.ControlText(IDC_ELAPSED), "00:00:00") << "the elapsed time runs on";
}

}  // namespace
