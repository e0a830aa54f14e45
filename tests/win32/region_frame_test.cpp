// The flashing region frame under Wine: its shape, its paint, and dragging its
// marks with the real pointer.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "engine/RecordingSession.h"
#include "framework/Gdi.h"
#include "region/RegionFrameWnd.h"
#include "region/RegionGeometry.h"
#include "tests/support/ui_helpers.h"

namespace {

const COLORREF kGrabColour = RGB(255, 255, 180);
const COLORREF kIdleColour = RGB(255, 0, 80);

// A frame around (100, 100) of 640 x 480, as a recording of that area has it.
constexpr int kLeft = 100, kTop = 100, kWidth = 640, kHeight = 480;

class RegionFrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        HDC screen = ::GetDC(nullptr);
        params.ScreenWidth = ::GetDeviceCaps(screen, HORZRES);
        params.ScreenHeight = ::GetDeviceCaps(screen, VERTRES);
        ::ReleaseDC(nullptr, screen);
        ASSERT_TRUE(frame.Create("Flashing", {0, 0, params.ScreenWidth - 1,
                                              params.ScreenHeight - 1}));
        ASSERT_TRUE(ui::Xdo("mousemove 1200 1000"));
    }
    void TearDown() override {
        ui::Xdo("mouseup 1");
        frame.DestroyWindow();
        ui::PumpFor(100);
    }

    // Frames the test area, shows the frame and paints it until the screen
    // shows the paint (the window appears on the X screen a little later).
    void ShowPainted(COLORREF colour, int markX, int markY) {
        frame.SetFrame(kLeft, kTop, kWidth, kHeight);
        frame.Show(true);
        PaintUntilShown(colour, markX, markY);
    }
    bool PaintUntilShown(COLORREF colour, int markX, int markY) {
        return ui::PumpUntil([&] {
            frame.FillBand(GetRValue(colour), GetGValue(colour), GetBValue(colour));
            return ui::ScreenPixel(markX, markY) == colour;
        });
    }

    // The window region, in screen pixels (the window sits at the origin).
    fw::Region WindowShape() {
        fw::Region shape(::CreateRectRgn(0, 0, 0, 0));
        if (::GetWindowRgn(frame, shape) == ERROR) shape.Reset();
        return shape;
    }

    // Drags with the real pointer from one screen point to another.
    void Drag(POINT from, POINT to) {
        ASSERT_TRUE(ui::Xdo("mousemove " + std::to_string(from.x) + " " + std::to_string(from.y)));
        ASSERT_TRUE(ui::Xdo("mousedown 1"));
        ASSERT_TRUE(ui::PumpUntil([&] { return frame.Dragging(); }))
            << "the button-down did not reach the frame";
        ASSERT_TRUE(ui::Xdo("mousemove " + std::to_string(to.x) + " " + std::to_string(to.y)));
        ui::PumpFor(200);
        // The frame jumps on release only.
        EXPECT_EQ(frame.Framed(), (ScreenRect{kLeft, kTop, kLeft + kWidth - 1, kTop + kHeight - 1}));
        EXPECT_FALSE(state.RectPending());
        ASSERT_TRUE(ui::Xdo("mouseup 1"));
        ASSERT_TRUE(ui::PumpUntil([&] { return !frame.Dragging(); }));
    }

    // Fresh for each test: no move pending from the one before.
    RecordingSession session;
    CRecordParams& params = session.Params;
    CRecordState& state = session.State;
    CRegionFrameWnd frame{session};
};

TEST_F(RegionFrameTest, IsAHiddenTopMostPopupOverTheScreenWithNoShapeYet) {
    EXPECT_FALSE(::IsWindowVisible(frame));
    EXPECT_EQ(frame.GetWindowText(), "Flashing");
    EXPECT_EQ(static_cast<DWORD>(::GetWindowLongA(frame, GWL_STYLE)) & (WS_POPUP | WS_CAPTION |
                                                                        WS_THICKFRAME),
              static_cast<DWORD>(WS_POPUP));
    EXPECT_TRUE(::GetWindowLongA(frame, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(::GetParent(frame), nullptr);
    RECT rect{};
    ::GetWindowRect(frame, &rect);
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 0);
    EXPECT_EQ(rect.right, params.ScreenWidth);
    EXPECT_EQ(rect.bottom, params.ScreenHeight);
    EXPECT_EQ(::GetClassLongA(frame, GCL_STYLE), 0u);
    EXPECT_EQ(::GetClassLongPtrA(frame, GCLP_HBRBACKGROUND), 0);
    fw::Region shape(::CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(::GetWindowRgn(frame, shape), ERROR);

    // Painting before the frame knows its rectangle does nothing.
    frame.FillBand(255, 0, 80);
}

TEST_F(RegionFrameTest, ShapeIsExactlyTheFourMarksAroundTheFramedRectangle) {
    frame.SetFrame(kLeft, kTop, kWidth, kHeight);
    EXPECT_EQ(frame.Framed(), (ScreenRect{100, 100, 739, 579}));
    fw::Region shape = WindowShape();
    ASSERT_TRUE(shape);

    const engine::FrameShape expected = engine::MakeFrameShape(kWidth, kHeight);
    int inShape = 0;
    for (int y = kTop - 20; y < kTop + kHeight + 20; ++y)
        for (int x = kLeft - 20; x < kLeft + kWidth + 20; ++x) {
            const bool want = engine::InFrameShape(expected, x - (kLeft - 8), y - (kTop - 8));
            ASSERT_EQ(::PtInRegion(shape, x, y) != 0, want) << x << "," << y;
            inShape += want;
        }
    EXPECT_GT(inShape, 4 * 300);

    // A new rectangle replaces the shape.
    frame.SetFrame(300, 200, 200, 100);
    shape = WindowShape();
    ASSERT_TRUE(shape);
    EXPECT_FALSE(::PtInRegion(shape, 95, 95));
    EXPECT_TRUE(::PtInRegion(shape, 295, 195));
    EXPECT_TRUE(::PtInRegion(shape, 300 + 200 + 6, 200 + 100 + 6));
    EXPECT_FALSE(::PtInRegion(shape, 350, 250));
}

TEST_F(RegionFrameTest, BandFlashesOnTheMarksOnlyAndNeverInsideTheFrame) {
    // Something known under the frame: a plain window filling the area.
    HWND below = ::CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE | SS_WHITERECT, 0, 0,
                                   1000, 800, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(below, nullptr);
    ::SetWindowPos(below, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ui::PumpFor(300);
    const COLORREF inside = ui::ScreenPixel(400, 300);

    ShowPainted(kGrabColour, kLeft - 5, kTop - 5);
    ASSERT_EQ(ui::ScreenPixel(kLeft - 5, kTop - 5), kGrabColour);
    ui::SaveScreenshot("frame-grab-colour");
    // All four marks, to their outer edges (8 out at the top-left, 7 at the
    // bottom-right).
    EXPECT_EQ(ui::ScreenPixel(kLeft - 8, kTop - 8), kGrabColour);
    EXPECT_EQ(ui::ScreenPixel(kLeft + kWidth + 6, kTop - 8), kGrabColour);
    EXPECT_EQ(ui::ScreenPixel(kLeft - 8, kTop + kHeight + 6), kGrabColour);
    EXPECT_EQ(ui::ScreenPixel(kLeft + kWidth + 6, kTop + kHeight + 6), kGrabColour);
    EXPECT_NE(ui::ScreenPixel(kLeft + kWidth + 7, kTop + kHeight + 6), kGrabColour);
    // Not the recorded pixels, not the cut-away middle of the sides.
    EXPECT_EQ(ui::ScreenPixel(400, 300), inside);
    EXPECT_EQ(ui::ScreenPixel(kLeft, kTop), inside);
    EXPECT_EQ(ui::ScreenPixel(kLeft + kWidth - 1, kTop + kHeight - 1), inside);
    EXPECT_NE(ui::ScreenPixel(kLeft + kWidth / 2, kTop - 4), kGrabColour);
    EXPECT_NE(ui::ScreenPixel(kLeft - 4, kTop + kHeight / 2), kGrabColour);

    // Between grabs the marks turn red.
    ASSERT_TRUE(PaintUntilShown(kIdleColour, kLeft - 5, kTop - 5));
    EXPECT_EQ(ui::ScreenPixel(kLeft + kWidth + 3, kTop + kHeight + 3), kIdleColour);
    EXPECT_EQ(ui::ScreenPixel(400, 300), inside);
    ui::SaveScreenshot("frame-idle-colour");

    frame.Show(false);
    EXPECT_TRUE(ui::PumpUntil([&] { return ui::ScreenPixel(kLeft - 5, kTop - 5) != kIdleColour; }))
        << "the marks stayed on the screen after hiding";
    ::DestroyWindow(below);
}

TEST_F(RegionFrameTest, WorkerThreadCanShapeShowAndPaintTheFrame) {
    // The recording worker drives the frame from its own thread while the
    // window's thread keeps dispatching.
    std::atomic<bool> stop{false};
    std::thread worker([&] {
        frame.SetFrame(kLeft, kTop, kWidth, kHeight);
        frame.Show(true);
        while (!stop) {
            frame.FillBand(255, 255, 180);
            ::Sleep(5);
            frame.FillBand(255, 0, 80);
            ::Sleep(15);
        }
        frame.Show(false);
    });
    int grabSeen = 0, idleSeen = 0;
    ui::PumpUntil(
        [&] {
            const COLORREF pixel = ui::ScreenPixel(kLeft - 5, kTop - 5);
            grabSeen += pixel == kGrabColour;
            idleSeen += pixel == kIdleColour;
            return grabSeen > 0 && idleSeen > 0;
        },
        20000);
    stop = true;
    ui::PumpUntil([&] { return !::IsWindowVisible(frame); });
    worker.join();
    EXPECT_GT(grabSeen, 0);
    EXPECT_GT(idleSeen, 0);
    fw::Region shape = WindowShape();
    ASSERT_TRUE(shape);
    EXPECT_TRUE(::PtInRegion(shape, kLeft - 5, kTop - 5));
    EXPECT_FALSE(::IsWindowVisible(frame));
}

TEST_F(RegionFrameTest, DraggingAMarkPastTheTopLeftKeepsTheSizeAndMovesTheRecordedOrigin) {
    ShowPainted(kIdleColour, kLeft - 5, kTop - 5);
    // The bottom-right mark, dragged by (-300, -300).
    const POINT mark{kLeft + kWidth + 3, kTop + kHeight + 3};
    Drag(mark, {mark.x - 300, mark.y - 300});

    EXPECT_EQ(frame.Framed(), (ScreenRect{0, 0, kWidth - 1, kHeight - 1}));
    int32_t left = -1, top = -1;
    ASSERT_TRUE(state.TakeRect(left, top)) << "the worker was not told";
    EXPECT_EQ(left, 0);
    EXPECT_EQ(top, 0);

    fw::Region shape = WindowShape();
    ASSERT_TRUE(shape);
    EXPECT_TRUE(::PtInRegion(shape, kWidth + 3, kHeight + 3));
    EXPECT_FALSE(::PtInRegion(shape, mark.x, mark.y));
    EXPECT_TRUE(PaintUntilShown(kIdleColour, kWidth + 3, kHeight + 3));
    ui::SaveScreenshot("frame-dragged-to-origin");
}

TEST_F(RegionFrameTest, DraggingPastTheBottomRightStopsAtTheScreenEdges) {
    ShowPainted(kIdleColour, kLeft - 5, kTop - 5);
    Drag({kLeft - 5, kTop - 5}, {1000, 900});
    const int32_t sw = params.ScreenWidth, sh = params.ScreenHeight;
    EXPECT_EQ(frame.Framed(), (ScreenRect{sw - kWidth, sh - kHeight, sw - 1, sh - 1}));
    int32_t left = -1, top = -1;
    ASSERT_TRUE(state.TakeRect(left, top));
    EXPECT_EQ(left, sw - kWidth);
    EXPECT_EQ(top, sh - kHeight);
}

TEST_F(RegionFrameTest, ClickOnAMarkHandsOnTheUnchangedRectangle) {
    ShowPainted(kIdleColour, kLeft - 5, kTop - 5);
    ASSERT_TRUE(ui::Xdo("mousemove " + std::to_string(kLeft - 4) + " " +
                        std::to_string(kTop + kHeight + 4)));
    ASSERT_TRUE(ui::Xdo("click 1"));
    ASSERT_TRUE(ui::PumpUntil([&] { return state.RectPending(); }));
    EXPECT_EQ(frame.Framed(), (ScreenRect{kLeft, kTop, kLeft + kWidth - 1, kTop + kHeight - 1}));
    int32_t left = -1, top = -1;
    ASSERT_TRUE(state.TakeRect(left, top));
    EXPECT_EQ(left, kLeft);
    EXPECT_EQ(top, kTop);
}

TEST_F(RegionFrameTest, ClicksInsideTheFrameOrBetweenTheMarksPassThrough) {
    ShowPainted(kIdleColour, kLeft - 5, kTop - 5);
    for (POINT at : {POINT{400, 300}, POINT{kLeft + kWidth / 2, kTop - 4},
                     POINT{kLeft + kWidth + 3, kTop + kHeight / 2}}) {
        ASSERT_TRUE(ui::Xdo("mousemove " + std::to_string(at.x) + " " + std::to_string(at.y) +
                            " click 1"));
        ui::PumpFor(300);
        EXPECT_FALSE(frame.Dragging()) << at.x << "," << at.y;
        EXPECT_FALSE(state.RectPending()) << at.x << "," << at.y;
    }
    EXPECT_EQ(frame.Framed(), (ScreenRect{kLeft, kTop, kLeft + kWidth - 1, kTop + kHeight - 1}));
}

}  // namespace
