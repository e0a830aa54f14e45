// The skinned sliders and the masked edits on a real dialog under Wine,
// driven by the real pointer and keyboard: the messages the parent gets, in
// order and with their values, what the screen shows, and the typed texts.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "controls/MaskEdit.h"
#include "controls/SkinSlider.h"
#include "controls/SkinTrackBar.h"
#include "controls/TrimRangeBar.h"
#include "framework/App.h"
#include "res/resource.h"
#include "tests/support/ui_helpers.h"
#include "tests/win32/controls_probe.h"

namespace {

using probe::Describe;
using ui::PumpUntil;

constexpr COLORREF kParent = RGB(0, 128, 128);
constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr COLORREF kAccent = RGB(62, 139, 255);

class SlidersTest : public testing::Test {
protected:
    void SetUp() override {
        fw::CWinApp::Enable3dControls();
        ui::MoveMouse(900, 900);
        dialog.background = kParent;
        ASSERT_TRUE(dialog.Open(100, 100, 500, 260));
        dialog.Place(IDC_PROBE_TRIM, 20, 20, 100, 20);
        dialog.Place(IDC_PROBE_TRACK, 20, 90, 220, 30);
        dialog.Place(IDC_PROBE_TRACK_PLAIN, 20, 150, 220, 30);
        dialog.Place(IDC_PROBE_TIME, 300, 20, 90, 22);
        dialog.Place(IDC_PROBE_DATE, 300, 60, 110, 22);
        dialog.Place(IDC_PROBE_SKIN_SLIDER, 20, 200, 220, 30);
    }
    void TearDown() override { dialog.DestroyWindow(); }

    static COLORREF At(HWND control, int x, int y) {
        POINT p = ui::ClientToScreenPoint(control, x, y);
        return ui::ScreenPixel(p.x, p.y);
    }
    static int CountOnScreen(HWND control, COLORREF colour) {
        RECT client;
        ::GetClientRect(control, &client);
        POINT origin = ui::ClientToScreenPoint(control, 0, 0);
        int n = 0;
        for (COLORREF c : ui::ScreenPixels(origin.x, origin.y, client.right, client.bottom)) n += c == colour;
        return n;
    }
    static bool Press(HWND control, int x, int y) {
        POINT p = ui::ClientToScreenPoint(control, x, y);
        return ui::MoveMouse(p.x, p.y) && ui::MouseDown();
    }
    static bool MoveTo(HWND control, int x, int y) {
        POINT p = ui::ClientToScreenPoint(control, x, y);
        return ui::MoveMouse(p.x, p.y);
    }
    // Pixels near a colour within a rectangle of a control.
    static int CountNear(HWND control, const RECT& area, COLORREF colour) {
        POINT origin = ui::ClientToScreenPoint(control, area.left, area.top);
        int n = 0;
        for (COLORREF c : ui::ScreenPixels(origin.x, origin.y, area.right - area.left, area.bottom - area.top))
            n += probe::Near(c, colour, 10);
        return n;
    }
    bool Got(UINT message, size_t from = 0) {
        return PumpUntil([&] {
            for (size_t i = from; i < dialog.sliderMessages.size(); ++i)
                if (dialog.sliderMessages[i].message == message) return true;
            return false;
        });
    }

    probe::ProbeDialog dialog{IDD_SLIDERS_PROBE};
};

TEST_F(SlidersTest, TrimBarDragsPostMarkerThenPositionMessagesAndEndMessagesLast) {
    CTrimRangeBar bar;
    ASSERT_TRUE(bar.SubclassDlgItem(IDC_PROBE_TRIM, dialog));
    bar.SetBitmaps(IDB_TRIM_THUMB, IDB_TRIM_THUMB_DRAG, IDB_TRIM_SELECTION, IDB_TRIM_CHANNEL, IDB_TRIM_START,
                   IDB_TRIM_END);
    bar.SetRange(0, 100);
    bar.SetEnd(80);
    bar.SetPosition(10);
    RECT rect;
    ::GetWindowRect(bar, &rect);
    EXPECT_EQ(rect.right - rect.left, 210);
    EXPECT_EQ(rect.bottom - rect.top, 38);
    ui::PumpFor(200);
    EXPECT_EQ(CountOnScreen(bar, kMagenta), 0) << "the transparent colour shows";
    ui::SaveScreenshot("trim-bar-idle");

    // The start marker, dragged right by the pointer.
    const trimbar::Box start = bar.Model().StartMarker();
    const int grabX = (start.left + start.right) / 2, grabY = (start.top + start.bottom) / 2;
    ASSERT_TRUE(Press(bar, grabX, grabY));
    ui::PumpFor(100);
    EXPECT_TRUE(bar.Model().DraggingStart());
    for (int dx : {15, 30, 48}) {
        ASSERT_TRUE(MoveTo(bar, grabX + dx, grabY));
        ui::PumpFor(80);
    }
    ui::SaveScreenshot("trim-bar-marker-dragged");
    ASSERT_TRUE(ui::MouseUp());
    ASSERT_TRUE(Got(msg::kTrimDragEnded)) << "the drag's end was not posted";
    const auto& log = dialog.sliderMessages;
    ASSERT_GE(log.size(), 4u);
    // Every move posts the start and then the position, both the new start.
    for (size_t i = 0; i + 2 < log.size(); i += 2) {
        EXPECT_EQ(log[i].message, msg::kTrimStartMoved) << i;
        EXPECT_EQ(log[i + 1].message, msg::kTrimPositionMoved) << i;
        EXPECT_EQ(log[i].lp, log[i + 1].lp) << i;
        EXPECT_EQ(log[i].wp, static_cast<WPARAM>(IDC_PROBE_TRIM));
    }
    EXPECT_EQ(log[log.size() - 2].message, msg::kTrimStartDragEnded);
    EXPECT_EQ(log.back().message, msg::kTrimDragEnded);
    EXPECT_EQ(log[log.size() - 3].lp, bar.GetStart());
    EXPECT_EQ(bar.GetStart(), bar.GetPosition());
    EXPECT_GT(bar.GetStart(), 15);
    EXPECT_LT(bar.GetStart(), 80);

    // The thumb shows its dragged picture while it is dragged.
    const trimbar::Box thumb = bar.Model().Thumb();
    ASSERT_TRUE(Press(bar, thumb.left + 2, thumb.top + 4));
    ASSERT_TRUE(MoveTo(bar, thumb.left + 40, thumb.top + 4));
    ASSERT_TRUE(PumpUntil([&] { return bar.Model().Thumb().left > thumb.left + 20; }));
    const trimbar::Box moved = bar.Model().Thumb();
    EXPECT_TRUE(PumpUntil([&] { return probe::Near(At(bar, moved.left + 2, moved.top + 4), kAccent, 10); }))
        << Describe(At(bar, moved.left + 2, moved.top + 4));
    ui::SaveScreenshot("trim-bar-thumb-dragged");
    const size_t before = log.size();
    ASSERT_TRUE(ui::MouseUp());
    ASSERT_TRUE(Got(msg::kTrimDragEnded, before));
    EXPECT_EQ(log.back().lp, bar.GetPosition());
    EXPECT_EQ(bar.GetStart(), log[before - 3].lp) << "the thumb moved the start";

    // A drag cut short by another window taking the mouse ends there: its
    // end is posted at once and the thumb no longer follows the pointer.
    const trimbar::Box resting = bar.Model().Thumb();
    ASSERT_TRUE(Press(bar, resting.left + 2, resting.top + 4));
    ASSERT_TRUE(MoveTo(bar, resting.left + 20, resting.top + 4));
    ASSERT_TRUE(PumpUntil([&] { return bar.Model().Thumb().left > resting.left + 10; }));
    const size_t cut = log.size();
    {
        fw::OwnedWindow taker = ui::TakeMouseCapture(dialog);
        ASSERT_TRUE(taker);
        EXPECT_TRUE(Got(msg::kTrimDragEnded, cut)) << "the cut drag's end was not posted";
        EXPECT_FALSE(bar.Model().DraggingThumb());
        ASSERT_TRUE(ui::MouseUp());
        ui::PumpFor(200);
    }
    const int32_t left = bar.GetPosition();
    ASSERT_TRUE(MoveTo(bar, resting.left + 60, resting.top + 4));
    ui::PumpFor(300);
    EXPECT_EQ(bar.GetPosition(), left) << "the thumb followed a pointer whose button is up";

    // A press between the markers, on no part, starts nothing.
    const size_t quiet = log.size();
    ASSERT_TRUE(Press(bar, 105, 30));
    ASSERT_TRUE(MoveTo(bar, 160, 30));
    ui::PumpFor(150);
    ASSERT_TRUE(ui::MouseUp());
    ui::PumpFor(200);
    EXPECT_EQ(log.size(), quiet);
}

TEST_F(SlidersTest, TrackBarsPaintOverTheParentAndReportDragsAsScrolls) {
    CSkinTrackBar track, plain;
    ASSERT_TRUE(track.SubclassDlgItem(IDC_PROBE_TRACK, dialog));
    ASSERT_TRUE(plain.SubclassDlgItem(IDC_PROBE_TRACK_PLAIN, dialog));
    for (CSkinTrackBar* t : {&track, &plain}) t->SetRange(0, 100);
    ASSERT_TRUE(track.SetChannelBitmap(IDB_TRACK_CHANNEL, TRUE));
    EXPECT_FALSE(track.SetChannelBitmap(9990, TRUE));
    track.SetThumbBitmaps(IDB_TRACK_THUMB, IDB_TRACK_THUMB_PRESSED, TRUE);
    track.SetPos(20);
    EXPECT_EQ(track.GetPos(), 20);
    RECT channel{};
    track.SendMessage(TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
    EXPECT_EQ(channel.right - channel.left, 196) << "the channel is as long as its picture";
    ::InvalidateRect(dialog, nullptr, TRUE);
    ui::PumpFor(300);

    // The parent shows where the control has nothing of its own; the
    // pictures' transparent colour never shows.
    for (CSkinTrackBar* t : {&track, &plain}) {
        EXPECT_TRUE(PumpUntil([&] { return At(*t, 1, 1) == kParent; }, 3000)) << Describe(At(*t, 1, 1));
        EXPECT_EQ(CountOnScreen(*t, kMagenta), 0);
    }
    RECT thumb{};
    plain.SendMessage(TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    EXPECT_EQ(At(plain, (thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2),
              ::GetSysColor(COLOR_BTNFACE)) << "the round thumb";
    ui::SaveScreenshot("track-bars-idle");

    track.SendMessage(TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    const int cx = (thumb.left + thumb.right) / 2, cy = (thumb.top + thumb.bottom) / 2;
    ASSERT_TRUE(MoveTo(track, cx, cy));
    ui::PumpFor(200);
    ui::SaveScreenshot("track-bar-hovered");
    ASSERT_TRUE(ui::MouseDown());
    EXPECT_TRUE(PumpUntil([&] { return CountNear(track, thumb, kAccent) > 20; })) << "the pressed thumb";
    for (int dx : {20, 40, 60}) {
        ASSERT_TRUE(MoveTo(track, cx + dx, cy));
        ui::PumpFor(80);
    }
    ui::SaveScreenshot("track-bar-dragged");
    ASSERT_TRUE(ui::MouseUp());
    ASSERT_TRUE(PumpUntil([&] {
        return !dialog.sliderMessages.empty() && LOWORD(dialog.sliderMessages.back().wp) == TB_ENDTRACK;
    })) << "no end of the drag";
    int tracks = 0;
    for (const auto& m : dialog.sliderMessages) {
        EXPECT_EQ(m.message, static_cast<UINT>(WM_HSCROLL));
        EXPECT_EQ(m.lp, reinterpret_cast<LPARAM>(track.m_hWnd));
        tracks += LOWORD(m.wp) == TB_THUMBTRACK;
    }
    EXPECT_GE(tracks, 1);
    EXPECT_GT(track.GetPos(), 40);
    track.SendMessage(TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    EXPECT_TRUE(PumpUntil([&] { return CountNear(track, thumb, kAccent) == 0; })) << "the thumb stays pressed";
    EXPECT_GT(CountNear(track, thumb, RGB(255, 255, 255)), 20) << "the thumb at rest";
}

TEST_F(SlidersTest, BitmapSliderFollowsThePointerAndTheKeysAndTellsWhereItSettled) {
    CSkinSlider slider;
    ASSERT_TRUE(slider.SubclassDlgItem(IDC_PROBE_SKIN_SLIDER, dialog));
    slider.SetBitmaps(IDB_TRACK_CHANNEL, IDB_TRACK_THUMB, IDB_TRACK_CHANNEL, IDB_TRACK_THUMB_PRESSED);
    slider.SetPos(150);
    EXPECT_EQ(slider.GetPos(), 100) << "beyond the range";
    slider.SetPos(50);
    ui::PumpFor(200);
    EXPECT_EQ(CountOnScreen(slider, kMagenta), 0) << "the transparent colour shows";
    const RECT leftEnd{0, 0, 40, 30}, rightEnd{180, 0, 220, 30};

    // Pressed near the left end, dragged past the right end, let go: moves
    // while dragged, the settled position last, all from this slider.
    ASSERT_TRUE(Press(slider, 10, 15));
    ASSERT_TRUE(Got(msg::kSliderMoved));
    EXPECT_LE(slider.GetPos(), 5);
    EXPECT_TRUE(PumpUntil([&] { return CountNear(slider, leftEnd, kAccent) > 20; })) << "the dragged thumb";
    for (int x : {60, 110, 160, 300}) {
        ASSERT_TRUE(MoveTo(slider, x, 15));
        ui::PumpFor(80);
    }
    ASSERT_TRUE(ui::MouseUp());
    ASSERT_TRUE(Got(msg::kSliderSettled));
    ASSERT_GE(dialog.sliderMessages.size(), 3u);
    LPARAM last = -1;
    for (size_t i = 0; i < dialog.sliderMessages.size(); ++i) {
        const auto& m = dialog.sliderMessages[i];
        const bool final = i + 1 == dialog.sliderMessages.size();
        EXPECT_EQ(m.message, final ? msg::kSliderSettled : msg::kSliderMoved) << i;
        EXPECT_EQ(m.wp, static_cast<WPARAM>(IDC_PROBE_SKIN_SLIDER));
        EXPECT_GE(m.lp, last) << "went back while dragged right";
        last = m.lp;
    }
    EXPECT_EQ(last, 100);
    EXPECT_EQ(slider.GetPos(), 100);
    // Focused, it keeps the active pictures, with the thumb at the right end.
    EXPECT_TRUE(PumpUntil([&] { return CountNear(slider, rightEnd, kAccent) > 20; })) << "the thumb is not at the end";
    EXPECT_EQ(CountNear(slider, leftEnd, kAccent), 0);

    // The keys move it by one, by a page and to the ends, each time settled.
    ASSERT_TRUE(ui::FocusForKeys(dialog));
    ::SetFocus(slider);
    const size_t before = dialog.sliderMessages.size();
    ASSERT_TRUE(ui::Xdo("key --delay 80 Home Prior Prior Right Next Left"));
    EXPECT_TRUE(PumpUntil([&] { return dialog.sliderMessages.size() == before + 6; }, 5000))
        << dialog.sliderMessages.size() - before << " key messages";
    const LPARAM expected[] = {0, 20, 40, 41, 21, 20};
    for (size_t i = 0; i < std::size(expected) && before + i < dialog.sliderMessages.size(); ++i) {
        EXPECT_EQ(dialog.sliderMessages[before + i].message, msg::kSliderSettled);
        EXPECT_EQ(dialog.sliderMessages[before + i].lp, expected[i]) << "after key " << i;
    }
    EXPECT_EQ(slider.GetPos(), 20);
    ui::SaveScreenshot("skin-slider");
}

TEST_F(SlidersTest, TypedKeysGiveTheMaskedTexts) {
    CTimeEdit time;
    CDateEdit date;
    ASSERT_TRUE(time.SubclassDlgItem(IDC_PROBE_TIME, dialog));
    ASSERT_TRUE(date.SubclassDlgItem(IDC_PROBE_DATE, dialog));
    EXPECT_EQ(time.GetWindowText(), "00:00:00");
    ASSERT_TRUE(ui::FocusForKeys(dialog));
    ::SetFocus(time);
    time.SendMessage(EM_SETSEL, 0, 0);
    auto caret = [&](const fw::CWnd& edit) {
        DWORD start = 0;
        edit.SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
        return start;
    };

    ASSERT_TRUE(ui::Xdo("type --delay 80 123456"));
    EXPECT_TRUE(PumpUntil([&] { return time.GetWindowText() == "12:34:56"; }, 5000)) << time.GetWindowText();

    // 5 first is over the hours; 4 then 8 stops at the 8; a letter is refused.
    time.SendMessage(EM_SETSEL, 0, 0);
    ASSERT_TRUE(ui::Xdo("type --delay 80 548x"));
    ui::PumpFor(400);
    EXPECT_EQ(time.GetWindowText(), "42:34:56");
    EXPECT_EQ(caret(time), 1u);
    ASSERT_TRUE(ui::Xdo("key --delay 80 BackSpace Delete Insert"));
    EXPECT_TRUE(PumpUntil([&] { return time.GetWindowText() == "02:34:56"; }, 5000)) << time.GetWindowText();
    ui::PumpFor(300);
    EXPECT_EQ(time.GetWindowText(), "02:34:56") << "Delete or Insert changed the text";
    EXPECT_EQ(caret(time), 0u);

    ::SetFocus(date);
    date.SendMessage(EM_SETSEL, 0, 0);
    ASSERT_TRUE(ui::Xdo("type --delay 80 43112"));
    EXPECT_TRUE(PumpUntil([&] { return date.GetWindowText() == "31/12/0000"; }, 5000)) << date.GetWindowText();
    ui::SaveScreenshot("masked-edits");
}

}  // namespace
