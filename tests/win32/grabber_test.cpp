// The frame grabber on the real screen under Wine.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/FrameGrabber.h"
#include "engine/RecordingSession.h"
#include "tests/win32/colour_window.h"

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

// Pixel (x, y), top row first, of a 24-bit bottom-up frame.
COLORREF PixelAt(const BITMAPINFOHEADER* frame, int x, int y) {
    const uint8_t* p = FrameBits(frame) +
                       static_cast<size_t>(frame->biHeight - 1 - y) * FrameStride(frame) + x * 3;
    return RGB(p[2], p[1], p[0]);
}

bool IsDark(COLORREF c) {
    return GetRValue(c) < 70 && GetGValue(c) < 70 && GetBValue(c) < 70;
}

int DarkPixels(const BITMAPINFOHEADER* frame, int x0, int y0, int size) {
    int dark = 0;
    for (int y = y0; y < y0 + size; ++y)
        for (int x = x0; x < x0 + size; ++x)
            if (x >= 0 && y >= 0 && x < frame->biWidth && y < frame->biHeight)
                dark += IsDark(PixelAt(frame, x, y));
    return dark;
}

struct CursorQuestion {
    CRecordState* state;
    HCURSOR answer;
};

DWORD WINAPI AskForCursor(LPVOID question) {
    auto* q = static_cast<CursorQuestion*>(question);
    q->answer = CurrentCursor(*q->state);
    return 0;
}

// Each test grabs with a fresh session: default parameters, no saved cursor,
// no region frame.
class GrabberTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::SetCursorPos(1200, 1000);  // well away from the window
    }

    RecordingSession session;
    CRecordParams& params = session.Params;
    CRecordState& state = session.State;
};

TEST_F(GrabberTest, FrameIsAPackedBottomUpBitmapOfTheScreen) {
    ColourWindow window({100, 100, 741, 581}, {kRed}, 0);
    window.SplitBottom(kBlue);
    BITMAPINFOHEADER* frame = GrabFrame(session, 100, 100, 641, 481, 1);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->biSize, 40u);
    EXPECT_EQ(frame->biWidth, 641);
    EXPECT_EQ(frame->biHeight, 481);
    EXPECT_EQ(frame->biPlanes, 1);
    EXPECT_EQ(frame->biBitCount, 24);
    EXPECT_EQ(frame->biCompression, static_cast<DWORD>(BI_RGB));
    EXPECT_EQ(FrameStride(frame), 1924);  // 1923 padded to a multiple of 4
    EXPECT_EQ(frame->biSizeImage, 1924u * 481);
    EXPECT_EQ(frame->biClrUsed, 0u);
    EXPECT_GE(::GlobalSize(::GlobalHandle(frame)), 40u + 1924u * 481);
    // The first stored row is the bottom of the picture.
    const uint8_t* firstRow = FrameBits(frame);
    EXPECT_EQ(RGB(firstRow[2], firstRow[1], firstRow[0]), kBlue);
    EXPECT_EQ(PixelAt(frame, 320, 10), kRed);
    EXPECT_EQ(PixelAt(frame, 640, 470), kBlue);
    FreeFrame(frame);
    FreeFrame(nullptr);
}

TEST_F(GrabberTest, EightBitFramesCarryAFullPalette) {
    ColourWindow window({100, 100, 300, 200}, {kRed}, 0);
    params.BitsPerPixel = 8;
    BITMAPINFOHEADER* frame = GrabFrame(session, 100, 100, 200, 100, 1);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->biBitCount, 8);
    EXPECT_EQ(frame->biClrUsed, 256u);
    EXPECT_EQ(frame->biSizeImage, 200u * 100);
    EXPECT_EQ(FrameBits(frame), reinterpret_cast<const uint8_t*>(frame) + 40 + 1024);
    FreeFrame(frame);
}

TEST_F(GrabberTest, TheSavedCursorIsDrawnAtThePointerUnlessSwitchedOff) {
    ColourWindow window({100, 100, 500, 400}, {kRed}, 0);
    state.SavedCursor = ::LoadCursorA(nullptr, IDC_CROSS);
    ::SetCursorPos(300, 250);
    ICONINFO info{};
    ASSERT_TRUE(::GetIconInfo(::LoadCursorA(nullptr, IDC_CROSS), &info));
    if (info.hbmMask) ::DeleteObject(info.hbmMask);
    if (info.hbmColor) ::DeleteObject(info.hbmColor);

    BITMAPINFOHEADER* frame = GrabFrame(session, 100, 100, 400, 300, 1);
    ASSERT_NE(frame, nullptr);
    // The cross's hot spot sits on the pointer: dark pixels around (200, 150).
    EXPECT_GT(DarkPixels(frame, 200 - 16, 150 - 16, 32), 10);
    EXPECT_EQ(DarkPixels(frame, 0, 0, 100), 0);
    FreeFrame(frame);

    params.DrawCursor = 0;
    frame = GrabFrame(session, 100, 100, 400, 300, 1);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(DarkPixels(frame, 200 - 16, 150 - 16, 32), 0);
    FreeFrame(frame);

    // A pointer outside the rectangle is clipped away.
    params.DrawCursor = 1;
    ::SetCursorPos(1000, 900);
    frame = GrabFrame(session, 100, 100, 400, 300, 1);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(DarkPixels(frame, 0, 0, 300), 0);
    FreeFrame(frame);
}

// The kept surface against the per-frame bitmap, every pixel.
void ExpectSamePicture(const CScreenGrabber& kept, const BITMAPINFOHEADER* fresh) {
    ASSERT_EQ(kept.Header().biWidth, fresh->biWidth);
    ASSERT_EQ(kept.Header().biHeight, fresh->biHeight);
    int differing = 0;
    for (int row = 0; row < fresh->biHeight; ++row) {
        const uint8_t* a = kept.Bits() + static_cast<size_t>(row) * kept.Stride();
        const uint8_t* b = FrameBits(fresh) + static_cast<size_t>(row) * FrameStride(fresh);
        for (int x = 0; x < fresh->biWidth; ++x)
            differing += std::memcmp(a + x * 3, b + x * 3, 3) != 0;
    }
    EXPECT_EQ(differing, 0);
}

TEST_F(GrabberTest, TheKeptSurfaceHoldsThePerFramePicturePixelForPixel) {
    ColourWindow window({100, 100, 741, 581}, {kRed}, 0, IDC_CROSS);
    window.SplitBottom(kBlue);
    state.SavedCursor = ::LoadCursorA(nullptr, IDC_CROSS);
    ::SetCursorPos(420, 300);
    CScreenGrabber grabber(session);
    auto expectSame = [&](int left, int top, int width, int height) {
        ASSERT_TRUE(grabber.Grab(left, top, width, height, 0));
        BITMAPINFOHEADER* fresh = GrabFrame(session, left, top, width, height, 0);
        ASSERT_NE(fresh, nullptr);
        ExpectSamePicture(grabber, fresh);
        FreeFrame(fresh);
    };
    // An odd width (padded rows in the per-frame bitmap), the cursor inside.
    expectSame(100, 100, 641, 481);
    const uint8_t* surface = grabber.Bits();
    // The same surface again, moved so that the cursor and the split lie
    // elsewhere in the picture.
    expectSame(150, 130, 641, 481);
    EXPECT_EQ(grabber.Bits(), surface);
    // Half off the screen after a bright picture: the part outside is black
    // in both, not left over from the grab before.
    const int screenW = ::GetSystemMetrics(SM_CXSCREEN);
    window.SplitBottom(RGB(255, 255, 255));
    expectSame(screenW - 320, 100, 640, 480);
    // Another size: a new surface of that size.
    expectSame(100, 100, 320, 240);
    EXPECT_EQ(grabber.Header().biSizeImage, static_cast<DWORD>(grabber.Stride()) * 240);
    // No surface can be had that large: the grab fails, the next one works.
    EXPECT_FALSE(grabber.Grab(0, 0, 40'000, 40'000, 1));
    expectSame(100, 100, 320, 240);
}

TEST_F(GrabberTest, WithoutAWatcherTheThreadsOwnCursorIsUsedAndKept) {
    // A thread with no windows has no cursor: nothing is drawn or saved.
    CursorQuestion fromWorker{&state, reinterpret_cast<HCURSOR>(1)};
    HANDLE worker = ::CreateThread(nullptr, 0, AskForCursor, &fromWorker, 0, nullptr);
    ::WaitForSingleObject(worker, 5000);
    ::CloseHandle(worker);
    EXPECT_EQ(fromWorker.answer, nullptr);
    EXPECT_EQ(state.SavedCursor.load(), nullptr);

    // This thread's cursor is taken and kept for later grabs.
    HCURSOR beam = ::LoadCursorA(nullptr, IDC_IBEAM);
    ::SetCursor(beam);
    EXPECT_EQ(CurrentCursor(state), beam);
    EXPECT_EQ(state.SavedCursor.load(), beam);
    ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
    EXPECT_EQ(CurrentCursor(state), beam);
}

// Records what the grabber asks of the region frame.
class BandLog final : public IRegionFrame {
public:
    std::vector<COLORREF> fills;
    void SetFrame(int32_t, int32_t, int32_t, int32_t) override {}
    void Show(bool) override {}
    void FillBand(uint8_t r, uint8_t g, uint8_t b) override { fills.push_back(RGB(r, g, b)); }
};

TEST_F(GrabberTest, TheBandTurnsLightYellowForEachGrabAndRedAfterIt) {
    BandLog band;
    session.SetRegionFrame(&band);
    FreeFrame(GrabFrame(session, 0, 0, 64, 64, 0));
    EXPECT_EQ(band.fills, (std::vector<COLORREF>{RGB(255, 255, 180), RGB(255, 0, 80)}));

    band.fills.clear();
    FreeFrame(GrabFrame(session, 0, 0, 64, 64, 1));  // the probe frame leaves it alone
    CScreenGrabber grabber(session);
    EXPECT_TRUE(grabber.Grab(0, 0, 64, 64, 1));
    EXPECT_TRUE(band.fills.empty());
    EXPECT_TRUE(grabber.Grab(0, 0, 64, 64, 0));
    EXPECT_EQ(band.fills, (std::vector<COLORREF>{RGB(255, 255, 180), RGB(255, 0, 80)}));

    band.fills.clear();
    params.ShowRegionFrame = 0;
    FreeFrame(GrabFrame(session, 0, 0, 64, 64, 0));
    EXPECT_TRUE(grabber.Grab(0, 0, 64, 64, 0));
    EXPECT_TRUE(band.fills.empty());
}

}  // namespace
