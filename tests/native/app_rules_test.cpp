// Rules of the application shell that need no window: time text, the output
// list's removal, the hotkey table, the call recording's rectangle, folders
// in the status line.
#include <gtest/gtest.h>

#include "recordings/ClipList.h"
#include "recordings/ElapsedTime.h"
#include "app/Hotkeys.h"
#include "app/StatusText.h"
#include "engine/CallCaptureRect.h"

TEST(FormatElapsed, HoursMinutesSecondsWithAWideningHourField) {
    EXPECT_EQ(FormatElapsed(0), "00:00:00");
    EXPECT_EQ(FormatElapsed(59), "00:00:59");
    EXPECT_EQ(FormatElapsed(3725), "01:02:05");
    EXPECT_EQ(FormatElapsed(360'000), "100:00:00");
}

namespace {
ClipList SixClips() {
    ClipList clips(6);
    for (int i = 0; i < 6; ++i) clips[i].fileName = "row" + std::to_string(i + 1);
    return clips;
}
}  // namespace

TEST(ClipList, RemovingASelectionTakesTheRunFromTheFirstSelectedRow) {
    // Rows 2 and 5 selected: two rows go, starting at row 2.
    ClipList clips = SixClips();
    RemoveClipRun(clips, 1, 2);
    ASSERT_EQ(clips.size(), 4u);
    EXPECT_EQ(clips[0].fileName, "row1");
    EXPECT_EQ(clips[1].fileName, "row4");
    EXPECT_EQ(clips[3].fileName, "row6");

    // A run that reaches past the end stops at the end; nothing selected
    // removes nothing.
    RemoveClipRun(clips, 3, 5);
    EXPECT_EQ(clips.size(), 3u);
    RemoveClipRun(clips, -1, 1);
    RemoveClipRun(clips, 7, 1);
    EXPECT_EQ(clips.size(), 3u);
}

TEST(ClipList, NewRecordStartsCheckedWithNeutralEditsThatReadingTheFileKeeps) {
    ClipRecord record;
    EXPECT_EQ(record.checked, 1);
    EXPECT_EQ(record.duration, 0.0);
    // The whole picture, contrast and volume at 100: a recording nobody
    // edited converts as it was recorded.
    const EditSettings& e = record.edits;
    EXPECT_EQ(e.contrast, 100);
    EXPECT_EQ(e.volume, 100);
    EXPECT_EQ(e.cropLeft, 0);
    EXPECT_EQ(e.cropTop, 0);
    EXPECT_EQ(e.cropRight, 320);
    EXPECT_EQ(e.cropBottom, 240);
    EXPECT_EQ(e.brightness, 0);
    EXPECT_EQ(e.saturation, 0);
    EXPECT_EQ(e.effect, 0);
    record.edits.brightness = 40;
    SetClipMedia(record, 12.5, 640, 480);
    EXPECT_EQ(record.edits.brightness, 40);
    EXPECT_EQ(record.fullRangeEnd, 12500);
    EXPECT_EQ(record.durationText, "00:00:12");
    EXPECT_EQ(record.pictureWidth, 640);
    SetClipMedia(record, 3.0, 640, 0);  // no picture: no size
    EXPECT_EQ(record.pictureWidth, 0);

    ClipRecord copy = record;
    copy.path = "C:\\x.avi";
    EXPECT_TRUE(record.path.empty());  // copies are independent
}

TEST(ClipList, ASelectionFollowsItsRowOrGoesWithIt) {
    // Rows 2 and 3 of six removed.
    EXPECT_EQ(SelectionAfterRemoval(0, 1, 2, 6), 0);
    EXPECT_EQ(SelectionAfterRemoval(1, 1, 2, 6), -1);
    EXPECT_EQ(SelectionAfterRemoval(2, 1, 2, 6), -1);
    EXPECT_EQ(SelectionAfterRemoval(5, 1, 2, 6), 3);
    // A run cut at the end, a removal of nothing, no selection.
    EXPECT_EQ(SelectionAfterRemoval(5, 4, 9, 6), -1);
    EXPECT_EQ(SelectionAfterRemoval(3, -1, 1, 6), 3);
    EXPECT_EQ(SelectionAfterRemoval(-1, 0, 1, 6), -1);
    EXPECT_EQ(SelectionAfterRemoval(6, 0, 1, 6), -1);
}

TEST(Hotkeys, DefaultsAreF8ToF12WithCtrlOnTheLastTwo) {
    HotkeyTable table;
    table[5].shift = 1;  // untouched by the defaults
    SetDefaultHotkeys(table);
    EXPECT_EQ(table[0].key, 119);
    EXPECT_EQ(table[2].key, 121);
    EXPECT_EQ(table[4].key, 123);
    EXPECT_EQ(table[5].key, hotkeys::kNoKey);
    EXPECT_EQ(ModifierBits(table[0]), 0u);
    EXPECT_EQ(ModifierBits(table[3]), hotkeys::kModControl);
    EXPECT_EQ(ModifierBits(table[5]), hotkeys::kModShift);
    HotkeySlot all{65, 1, 1, 1};
    EXPECT_EQ(ModifierBits(all), 7u);
}

class CallCaptureRectTest : public ::testing::Test {
protected:
    CRecordParams params = [] {
        CRecordParams p;
        p.ScreenWidth = 1280;
        p.ScreenHeight = 1024;
        return p;
    }();
    const ScreenRect fallback{100, 100, 419, 339};
};

TEST_F(CallCaptureRectTest, WindowOnScreenIsTakenAsItIs) {
    ScreenRect rect = ChooseCallCaptureRect(true, {10, 20, 1034, 788}, params);
    EXPECT_EQ(rect, (ScreenRect{10, 20, 1034, 788}));
    EXPECT_EQ(params.RegionWidth, 1025);
    EXPECT_EQ(params.RegionHeight, 769);
}

TEST_F(CallCaptureRectTest, WindowPartlyOffScreenIsClampedToTheScreen) {
    EXPECT_EQ(ChooseCallCaptureRect(true, {-50, 20, 400, 300}, params),
              (ScreenRect{0, 20, 400, 300}));
    EXPECT_EQ(ChooseCallCaptureRect(true, {1000, 900, 1400, 1100}, params),
              (ScreenRect{1000, 900, 1279, 1023}));
}

TEST_F(CallCaptureRectTest, MissingOrOversizedWindowFallsBackTo320x240) {
    EXPECT_EQ(ChooseCallCaptureRect(false, {10, 20, 500, 400}, params), fallback);
    EXPECT_EQ(params.RegionWidth, 320);
    EXPECT_EQ(params.RegionHeight, 240);
    EXPECT_EQ(ChooseCallCaptureRect(true, {-10, -10, 1300, 500}, params), fallback);
    EXPECT_EQ(ChooseCallCaptureRect(true, {500, 500, 400, 600}, params), fallback);

    params.DefaultOriginX = 1200;  // the fallback itself is clamped too
    EXPECT_EQ(ChooseCallCaptureRect(false, {}, params), (ScreenRect{1200, 100, 1279, 339}));
}

// The status line says a recording went elsewhere only when it did.
TEST(StatusText, AFolderIsTheSameWhateverItsCaseOrTrailingBackslash) {
    EXPECT_TRUE(SameFolder(FolderOf("C:\\Rec\\2026-12-09 14-30-05.avi"), "C:\\Rec"));
    EXPECT_TRUE(SameFolder(FolderOf("C:\\Rec\\\\a.avi"), "c:\\rec\\"));
    EXPECT_FALSE(SameFolder(FolderOf("C:\\Prog\\a.avi"), "C:\\Rec"));
    EXPECT_FALSE(SameFolder("C:\\Rec", "C:\\Recordings"));
    EXPECT_EQ(FolderOf("a.avi"), "");
}
