// The recordings list's context menu in the running program, driven with the
// real pointer and keys: a right-click on a call's row, "Trim..." from the
// menu, times typed and OK put the trim into the edit file beside the
// recording, and "Convert to MP4" has ClipForge convert it, trimmed; while a call is
// recorded editing and converting are greyed; Delete removes the selected
// row and the selection with it.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "editing/EditFile.h"
#include "res/resource.h"
#include "tests/e2e/call_scene.h"
#include "tests/e2e/popup_menu.h"
#include "tests/support/media_probe.h"
#include "tests/support/ui_helpers.h"

namespace {

using e2e::CallScene;

// The menu's eleven items, top to bottom.
enum Line { kPlay, kTrim, kCrop, kEffects, kConvert, kSnapshot, kSnapshotFolder, kRemove, kClear, kSettings,
            kAutoRecord };
constexpr size_t kLines = 11;

std::string Text(HWND window) {
    char text[64] = {};
    ::SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

HWND VisibleWindow(const char* className, const char* title, DWORD processId) {
    HWND found = nullptr;
    e2e::WaitUntil([&] {
        found = ::FindWindowA(className, title);
        DWORD owner = 0;
        if (found) ::GetWindowThreadProcessId(found, &owner);
        return found && owner == processId && ::IsWindowVisible(found);
    }, 20000);
    return found;
}

// Types a time into one of the trim dialog's edits and confirms it.
void TypeTime(HWND dialog, int edit, int ok, const char* digits) {
    ASSERT_TRUE(ui::ClickWindow(::GetDlgItem(dialog, edit)));
    ASSERT_TRUE(ui::Xdo("key Home") && ui::Xdo(std::string("type ") + digits));
    ASSERT_TRUE(ui::ClickWindow(::GetDlgItem(dialog, ok)));
}

// Opens the menu with the pointer on a row and returns its lines.
std::vector<e2e::MenuLine> RightClickRow(e2e::RecorderSession& recorder, int row) {
    const POINT at = recorder.RowCentre(row);
    if (!ui::Click(at.x, at.y, 3)) return {};
    HWND menu = e2e::WaitForPopupMenu(recorder.Process().Id(), 10000);
    return menu ? e2e::WaitForMenuLines(menu, kLines) : std::vector<e2e::MenuLine>{};
}

// Opens the menu from the keyboard (on the list, which has the focus).
std::vector<e2e::MenuLine> MenuFromKeys(e2e::RecorderSession& recorder, const char* keys) {
    if (!recorder.PressKey(keys)) return {};
    HWND menu = e2e::WaitForPopupMenu(recorder.Process().Id(), 10000);
    return menu ? e2e::WaitForMenuLines(menu, kLines) : std::vector<e2e::MenuLine>{};
}

// Records the call for `ms` and stops with F9; true once its row is listed.
bool RecordCall(CallScene& scene, DWORD ms, size_t rows) {
    if (!scene.StartCallRecording()) return false;
    ::Sleep(ms);
    return scene.Recorder().PressKey("F9", scene.Conversation()) && scene.WaitForRows(rows);
}

bool CloseMenu(e2e::RecorderSession& recorder) {
    return recorder.PressKey("Escape") &&
           e2e::WaitUntil([&] { return !e2e::WaitForPopupMenu(recorder.Process().Id(), 0); }, 5000);
}

TEST(ListMenu, TrimFromARowsMenuGoesIntoTheEditFileAndConvertHasClipForgeConvertIt) {
    CallScene scene;
    ASSERT_TRUE(scene.Ready()) << "the call could not be set up";
    auto& recorder = scene.Recorder();
    ASSERT_TRUE(RecordCall(scene, 5000, 1));
    const std::string avi = scene.Folder() + "\\" + recorder.ListRows()[0].fileName;

    // A right-click on the row: every item applies.
    std::vector<e2e::MenuLine> lines = RightClickRow(recorder, 0);
    ASSERT_EQ(lines.size(), kLines) << "the menu does not show its eleven items";
    EXPECT_EQ(e2e::EnabledFlags(lines), std::vector<bool>(kLines, true));
    ui::SaveScreenshot("list-menu");

    ASSERT_TRUE(ui::Click(lines[kTrim].Centre().x, lines[kTrim].Centre().y));
    HWND dialog = VisibleWindow("#32770", "Trim", recorder.Process().Id());
    ASSERT_NE(dialog, nullptr) << "\"Trim...\" opened no trim dialog";
    ASSERT_TRUE(ui::FocusForKeys(dialog));
    TypeTime(dialog, IDC_TRIM_START_TIME, IDC_TRIM_START_OK, "000001");
    TypeTime(dialog, IDC_TRIM_END_TIME, IDC_TRIM_END_OK, "000003");
    EXPECT_TRUE(e2e::WaitUntil([&] { return Text(::GetDlgItem(dialog, IDC_TRIM_LENGTH)) == "00:00:02"; }, 5000))
        << Text(::GetDlgItem(dialog, IDC_TRIM_LENGTH));
    ASSERT_TRUE(ui::ClickWindow(::GetDlgItem(dialog, IDOK)));
    ASSERT_TRUE(e2e::WaitUntil([&] { return !::IsWindow(dialog); }, 15000)) << "OK did not close it";

    // The trim is kept beside the recording, and nothing else is.
    const std::string editFile = editfile::PathFor(avi);
    ASSERT_TRUE(e2e::WaitUntil([&] { return ::GetFileAttributesA(editFile.c_str()) != INVALID_FILE_ATTRIBUTES; },
                               5000))
        << "no " << editFile;
    editfile::RecordingEdits expected;
    expected.trimStartMs = 1000;
    expected.trimEndMs = 3000;
    EXPECT_EQ(editfile::Read(editFile), expected);
    EXPECT_EQ(FilesIn(scene.Folder(), "*.new"), std::vector<std::string>{});

    // "Convert to MP4": ClipForge's window converts this recording.
    lines = RightClickRow(recorder, 0);
    ASSERT_EQ(lines.size(), kLines);
    ASSERT_TRUE(ui::Click(lines[kConvert].Centre().x, lines[kConvert].Centre().y));
    HWND converter = e2e::WaitForWindow("ClipForge", 30000);
    ASSERT_NE(converter, nullptr) << "\"Convert to MP4\" showed no ClipForge window";
    const std::string mp4 = avi.substr(0, avi.size() - 4) + ".mp4";
    EXPECT_TRUE(e2e::WaitUntil([&] { return ::GetFileAttributesA(mp4.c_str()) != INVALID_FILE_ATTRIBUTES; },
                               120000))
        << "no MP4 came of it";
    EXPECT_EQ(Probe(mp4, "v", "stream=codec_name"), "h264");
    // The trim went into it: two seconds, to a picture.
    EXPECT_NEAR(std::atof(Probe(mp4, "v", "stream=duration").c_str()), 2.0, 0.041);
    ::PostMessageA(converter, WM_CLOSE, 0, 0);
    EXPECT_TRUE(e2e::WaitUntil([&] { return !::IsWindow(converter); }, 30000)) << "ClipForge did not close";
    EXPECT_TRUE(recorder.Close());
}

TEST(ListMenu, WhileRecordingEditingWaitsAndDeleteTakesTheSelectionAlong) {
    CallScene scene;
    ASSERT_TRUE(scene.Ready()) << "the call could not be set up";
    auto& recorder = scene.Recorder();
    ASSERT_TRUE(RecordCall(scene, 2000, 1));

    // A second call recorded; the window brought back as from the task bar.
    ASSERT_TRUE(scene.StartCallRecording());
    ::ShowWindow(recorder.Main(), SW_RESTORE);
    ASSERT_TRUE(e2e::WaitUntil([&] { return !::IsIconic(recorder.Main()); }, 5000));
    const POINT row = recorder.RowCentre(0);
    ASSERT_TRUE(ui::Click(row.x, row.y));
    std::vector<e2e::MenuLine> lines = MenuFromKeys(recorder, "shift+F10");
    ASSERT_EQ(lines.size(), kLines) << "Shift+F10 opened no menu of eleven items";
    std::vector<bool> expected(kLines, true);
    expected[kTrim] = expected[kCrop] = expected[kEffects] = expected[kConvert] = false;
    EXPECT_EQ(e2e::EnabledFlags(lines), expected) << "editing and converting must wait while recording";
    ui::SaveScreenshot("list-menu-while-recording");
    // A greyed item does nothing.
    ASSERT_TRUE(ui::Click(lines[kTrim].Centre().x, lines[kTrim].Centre().y));
    ::Sleep(1000);
    EXPECT_EQ(::FindWindowA("#32770", "Trim"), nullptr);
    ASSERT_TRUE(CloseMenu(recorder));

    ASSERT_TRUE(recorder.PressKey("F9", scene.Conversation()) && scene.WaitForRows(2));
    ASSERT_TRUE(e2e::WaitUntil([&] { return !::IsIconic(recorder.Main()); }, 5000));
    ASSERT_TRUE(ui::Click(row.x, row.y));
    lines = MenuFromKeys(recorder, "Menu");
    ASSERT_EQ(lines.size(), kLines) << "the menu key opened no menu";
    EXPECT_EQ(e2e::EnabledFlags(lines), std::vector<bool>(kLines, true)) << "the recording has ended";
    ASSERT_TRUE(CloseMenu(recorder));

    // Delete removes the selected first row; the second moves into its place
    // but is not selected: the row items wait for a new choice.
    const std::string second = recorder.ListRows()[1].fileName;
    ASSERT_TRUE(recorder.PressKey("Delete"));
    ASSERT_TRUE(e2e::WaitUntil([&] { return recorder.ListRows().size() == 1; }, 5000)) << "Delete removed nothing";
    EXPECT_EQ(recorder.ListRows()[0].fileName, second);
    lines = MenuFromKeys(recorder, "shift+F10");
    ASSERT_EQ(lines.size(), kLines);
    EXPECT_EQ(e2e::EnabledFlags(lines),
              (std::vector<bool>{false, false, false, false, false, false, true, false, true, true, true}));
    ASSERT_TRUE(CloseMenu(recorder));
    EXPECT_EQ(scene.Recordings().size(), 2u) << "removing a row must leave its file";
    EXPECT_TRUE(recorder.Close());
}

}  // namespace
