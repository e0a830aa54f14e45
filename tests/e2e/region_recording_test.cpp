// Recording a rectangle the user draws: the region button shows the
// selector, a drag picks the rectangle and starts the recording, F9 stops it;
// F10 while drawing gives up without recording anything.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "engine/ConfigFile.h"
#include "res/resource.h"
#include "tests/e2e/recorder_session.h"
#include "tests/support/bitmap_files.h"
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

    // Draws the rectangle, records for `ms` and stops with F9; the recording's path.
    std::string RecordRegion(DWORD ms) {
        if (!ShowSelector()) return {};
        if (!ui::MoveMouse(kLeft, kTop) || !ui::MouseDown() || !ui::MoveMouse(800, 450) ||
            !ui::MoveMouse(kRight, kBottom) || !ui::MouseUp())
            return {};
        if (!e2e::WaitUntil([&] { return ::IsIconic(recorder.Main()) != 0; }, 10000)) return {};
        ::Sleep(ms);
        if (!recorder.PressKey("F9", ::FindWindowA("SceneWindow", kSceneTitle))) return {};
        if (!e2e::WaitUntil([&] { return recorder.ListRows().size() == 1; }, 20000)) return {};
        const std::vector<std::string> files = FilesIn(folder, "*.avi");
        return files.size() == 1 ? folder + "\\" + files[0] : std::string();
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

// A click on the recording decodes its opening picture for the main window's
// preview, and the snapshot command saves that picture as a bitmap file.
TEST_F(RegionRecording, TheListedRecordingIsPreviewedAndItsSnapshotSaved) {
    const std::string path = RecordRegion(2000);
    ASSERT_FALSE(path.empty()) << "no recording was made";
    // The preview decodes three packets from the start: the third picture.
    const auto frames = DecodeFrames(path, 320, 240);
    ASSERT_GE(frames.size(), 3u);
    const std::vector<uint8_t>& shown = frames[2];

    ::ShowWindow(recorder.Main(), SW_RESTORE);
    ASSERT_TRUE(e2e::WaitUntil([&] { return !::IsIconic(recorder.Main()); }, 5000));
    const POINT row = recorder.RowCentre(0);
    ASSERT_TRUE(ui::Click(row.x, row.y));
    ::Sleep(1500);
    ui::SaveScreenshot("region-previewed");

    ::PostMessageA(recorder.Main(), WM_COMMAND, MAKEWPARAM(IDC_SNAPSHOT, BN_CLICKED), 0);
    const std::string snapshots = std::string(config::kDefaultOutputFolder) + "\\Snapshot";
    const DWORD fileBytes = 54 + 320 * 240 * 3;
    std::string snapshot;
    DWORD bytes = 0;
    // Until the file is there and written out.
    e2e::WaitUntil([&] {
        for (const std::string& name : FilesIn(snapshots, "*.bmp"))
            if (name.rfind(path.substr(folder.size() + 1), 0) == 0) snapshot = snapshots + "\\" + name;
        WIN32_FILE_ATTRIBUTE_DATA attributes{};
        if (!snapshot.empty() && ::GetFileAttributesExA(snapshot.c_str(), GetFileExInfoStandard, &attributes))
            bytes = attributes.nFileSizeLow;
        return bytes == fileBytes;
    }, 10000);
    ASSERT_FALSE(snapshot.empty()) << "no snapshot file in " << snapshots;
    struct SnapshotCleanup {
        std::string file;
        ~SnapshotCleanup() { ::DeleteFileA(file.c_str()); }
    } cleanup{snapshot};
    ASSERT_EQ(bytes, fileBytes);
    EXPECT_TRUE(e2e::WaitUntil([&] {
        return recorder.ControlText(IDC_STATUS) ==
               "Snapshot saved: " + snapshot.substr(snapshots.size() + 1);
    }, 5000)) << "status line: " << recorder.ControlText(IDC_STATUS);
    int differing = 0;
    for (int y = 0; y < 240; y += 8)
        for (int x = 0; x < 320; x += 8) {
            const uint8_t* pixel = &shown[(size_t(y) * 320 + x) * 3];
            const COLORREF saved = pictures::BitmapPixel(snapshot, x, y);
            if (!pictures::Near(saved, RGB(pixel[0], pixel[1], pixel[2]), 24) && ++differing < 5)
                ADD_FAILURE() << x << "," << y << ": " << ui::DescribePixel(saved) << " against "
                              << ui::DescribePixel(RGB(pixel[0], pixel[1], pixel[2]));
        }
    EXPECT_EQ(differing, 0) << "of " << 40 * 30 << " sampled pixels, the snapshot differs from the recording";
}

// A rectangle too small for one picture records nothing, and the status line
// says so rather than blaming the output folder.
TEST_F(RegionRecording, ARectangleTooSmallForAPictureIsToldAndRecordsNothing) {
    ASSERT_NE(ShowSelector(), nullptr) << "the region selector did not appear";
    ASSERT_TRUE(ui::MoveMouse(kLeft, kTop));
    ASSERT_TRUE(ui::MouseDown());
    ASSERT_TRUE(ui::MoveMouse(kLeft + 2, kTop + 2));
    ASSERT_TRUE(ui::MouseUp());
    EXPECT_TRUE(e2e::WaitUntil([&] {
        return recorder.ControlText(IDC_STATUS) == "Recording stopped: the area is too small to record";
    }, 10000)) << "status line: " << recorder.ControlText(IDC_STATUS);
    EXPECT_TRUE(e2e::WaitUntil([&] { return !::IsIconic(recorder.Main()); }, 5000));
    EXPECT_TRUE(FilesIn(folder, "*.avi").empty());
    EXPECT_TRUE(recorder.ListRows().empty());
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
