// The region frame with the real recording worker: it flashes while frames
// are grabbed, it never shows in the recorded pictures, and dragging it moves
// the recorded area from the worker's next turn on.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <mutex>
#include <string>
#include <vector>

#include "engine/Messages.h"
#include "engine/RecordingSession.h"
#include "framework/Wnd.h"
#include "region/RegionFrameWnd.h"
#include "tests/support/host_command.h"
#include "tests/support/ui_helpers.h"
#include "tests/win32/region_recording_driver.h"

namespace {

const COLORREF kGrabColour = RGB(255, 255, 180);
const COLORREF kIdleColour = RGB(255, 0, 80);
constexpr int kLeft = 100, kTop = 100, kWidth = 640, kHeight = 480;

// A still scene under everything: green in the 100-pixel strips along the
// screen's top and left edges, blue elsewhere, so that a picture tells where
// it was taken.
class SceneWnd : public fw::CWnd {
public:
    bool Create(int width, int height) {
        WNDCLASSA wc{};
        wc.lpszClassName = "RegionRecordingScene";
        return RegisterClassFor(wc) &&
               CreateEx(0, "RegionRecordingScene", "scene", WS_POPUP | WS_VISIBLE, 0, 0, width,
                        height, nullptr, nullptr);
    }

    BEGIN_MSG_MAP(SceneWnd)
        MESSAGE_HANDLER(WM_ERASEBKGND, OnErase)
        MESSAGE_HANDLER(WM_PAINT, OnPaint)
    END_MSG_MAP()

private:
    LRESULT OnErase(UINT, WPARAM, LPARAM, BOOL&) { return 1; }
    LRESULT OnPaint(UINT, WPARAM, LPARAM, BOOL&) {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(m_hWnd, &ps);
        RECT all{};
        ::GetClientRect(m_hWnd, &all);
        HBRUSH blue = ::CreateSolidBrush(RGB(0, 0, 200));
        HBRUSH green = ::CreateSolidBrush(RGB(0, 200, 0));
        ::FillRect(dc, &all, blue);
        RECT top{0, 0, all.right, 100}, left{0, 0, 100, all.bottom};
        ::FillRect(dc, &top, green);
        ::FillRect(dc, &left, green);
        ::DeleteObject(blue);
        ::DeleteObject(green);
        ::EndPaint(m_hWnd, &ps);
        return 0;
    }
};

// The real frame, with a note of every colour the worker paints it.
class WatchedFrame : public IRegionFrame {
public:
    explicit WatchedFrame(CRegionFrameWnd& frame) : m_frame(frame) {}
    void SetFrame(int32_t left, int32_t top, int32_t width, int32_t height) override {
        m_frame.SetFrame(left, top, width, height);
    }
    void Show(bool show) override { m_frame.Show(show); }
    void FillBand(uint8_t red, uint8_t green, uint8_t blue) override {
        {
            std::lock_guard lock(m_lock);
            m_fills.push_back(RGB(red, green, blue));
        }
        m_frame.FillBand(red, green, blue);
    }
    std::vector<COLORREF> Fills() const {
        std::lock_guard lock(m_lock);
        return m_fills;
    }

private:
    CRegionFrameWnd& m_frame;
    mutable std::mutex m_lock;
    std::vector<COLORREF> m_fills;
};

// Stands in for the main window: notes how the worker ended.
class MainStandIn : public fw::CWnd {
public:
    int generic = 0, interrupted = 0;
    bool Create() {
        WNDCLASSA wc{};
        wc.lpszClassName = "RegionRecordingMain";
        return RegisterClassFor(wc) && CreateEx(0, "RegionRecordingMain", "main", 0, 0, 0, 0, 0,
                                                HWND_MESSAGE, nullptr);
    }
    BEGIN_MSG_MAP(MainStandIn)
        MESSAGE_HANDLER(WM_USER_GENERIC_MSG, OnGeneric)
        MESSAGE_HANDLER(WM_USER_RECORDINTERRUPTED_MSG, OnInterrupted)
    END_MSG_MAP()

private:
    LRESULT OnGeneric(UINT, WPARAM, LPARAM, BOOL&) {
        ++generic;
        return 0;
    }
    LRESULT OnInterrupted(UINT, WPARAM, LPARAM, BOOL&) {
        ++interrupted;
        return 0;
    }
};

struct Rgb {
    int r, g, b;
};
bool IsGreen(Rgb c) { return c.g > 120 && c.r < 90 && c.b < 90; }
bool IsBlue(Rgb c) { return c.b > 120 && c.r < 90 && c.g < 90; }

// Every picture of a recording, decoded by the host's ffmpeg.
struct Pictures {
    int width = 0, height = 0;
    std::vector<std::vector<uint8_t>> frames;  // rgb24 rows, top first

    Rgb At(size_t frame, int x, int y) const {
        const uint8_t* p = &frames[frame][(static_cast<size_t>(y) * width + x) * 3];
        return {p[0], p[1], p[2]};
    }
};

Pictures Decode(const std::string& aviPath) {
    Pictures pictures;
    const std::string host = hostcmd::HostPath(aviPath);
    hostcmd::Result probe = hostcmd::Run(
        "ffprobe -v error -select_streams v:0 -show_entries stream=width,height,codec_name "
        "-of csv=p=0 " + hostcmd::ShellQuote(host));
    if (!probe.finished || probe.exitCode != 0) return pictures;
    char codec[32] = {};
    if (std::sscanf(probe.output.c_str(), "%31[^,],%d,%d", codec, &pictures.width,
                    &pictures.height) != 3 ||
        std::string(codec) != "msmpeg4v3")
        return pictures;

    const std::string raw = aviPath + ".rgb";
    hostcmd::Result decode = hostcmd::Run(
        "ffmpeg -v error -y -i " + hostcmd::ShellQuote(host) +
        " -vsync passthrough -f rawvideo -pix_fmt rgb24 " +
        hostcmd::ShellQuote(hostcmd::HostPath(raw)));
    if (!decode.finished || decode.exitCode != 0) return pictures;
    std::ifstream in(raw, std::ios::binary);
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                     std::istreambuf_iterator<char>());
    in.close();
    ::DeleteFileA(raw.c_str());
    const size_t frameBytes = static_cast<size_t>(pictures.width) * pictures.height * 3;
    for (size_t at = 0; frameBytes && at + frameBytes <= bytes.size(); at += frameBytes)
        pictures.frames.emplace_back(bytes.begin() + at, bytes.begin() + at + frameBytes);
    return pictures;
}

class RegionRecordingTest : public ::testing::Test {
protected:
    void SetUp() override {
        HDC screen = ::GetDC(nullptr);
        params.ScreenWidth = ::GetDeviceCaps(screen, HORZRES);
        params.ScreenHeight = ::GetDeviceCaps(screen, VERTRES);
        ::ReleaseDC(nullptr, screen);
        params.ShowRegionFrame = 1;
        ASSERT_TRUE(scene.Create(params.ScreenWidth, params.ScreenHeight));
        ASSERT_TRUE(frame.Create("Flashing", {0, 0, params.ScreenWidth - 1,
                                              params.ScreenHeight - 1}));
        ASSERT_TRUE(main.Create());
        session.SetRegionFrame(&watched);
        // The cursor is drawn into the pictures; keep it out of the way.
        ASSERT_TRUE(ui::Xdo("mousemove 1270 1010"));
        ui::PumpFor(300);
    }
    void TearDown() override {
        recording.Stop();
        ui::Xdo("mouseup 1");
        if (!recording.Path().empty()) ::DeleteFileA(recording.Path().c_str());
    }

    // Waits until the worker has painted the frame this many times.
    bool WaitForFills(size_t count) {
        return ui::PumpUntil([&] { return watched.Fills().size() >= count; }, 30000);
    }
    void StopAndCheckEnd() {
        ASSERT_TRUE(recording.Stop()) << "the worker did not end";
        ui::PumpFor(200);
        EXPECT_EQ(main.generic, 1);
        EXPECT_EQ(main.interrupted, 0);
        EXPECT_FALSE(::IsWindowVisible(frame)) << "the frame stayed on the screen";
    }

    RecordingSession session;
    CRecordParams& params = session.Params;
    SceneWnd scene;
    CRegionFrameWnd frame{session};
    WatchedFrame watched{frame};
    MainStandIn main;
    TestRecording recording{session};
};

TEST_F(RegionRecordingTest, FrameFlashesAroundTheRecordedAreaAndStaysOutOfThePictures) {
    ASSERT_TRUE(recording.Start({kLeft, kTop, kLeft + kWidth - 1, kTop + kHeight - 1}, main));
    ASSERT_TRUE(ui::PumpUntil([&] { return ::IsWindowVisible(frame) != 0; }, 30000));
    EXPECT_EQ(frame.Framed(), (ScreenRect{kLeft, kTop, kLeft + kWidth - 1, kTop + kHeight - 1}));

    // The marks on the screen turn light yellow during grabs and red between.
    bool grabSeen = false, idleSeen = false;
    ui::PumpUntil(
        [&] {
            const COLORREF mark = ui::ScreenPixel(kLeft - 5, kTop - 5);
            grabSeen = grabSeen || mark == kGrabColour;
            idleSeen = idleSeen || mark == kIdleColour;
            return grabSeen && idleSeen;
        },
        30000);
    EXPECT_TRUE(grabSeen) << "the marks never showed the grab colour";
    EXPECT_TRUE(idleSeen) << "the marks never showed the colour between grabs";
    ASSERT_TRUE(WaitForFills(60));
    StopAndCheckEnd();

    // Every grab is framed by one yellow and one red paint, in that order.
    const std::vector<COLORREF> fills = watched.Fills();
    ASSERT_GE(fills.size(), 60u);
    for (size_t i = 0; i + 1 < fills.size(); i += 2) {
        ASSERT_EQ(fills[i], kGrabColour) << "paint " << i;
        ASSERT_EQ(fills[i + 1], kIdleColour) << "paint " << i + 1;
    }

    const Pictures pictures = Decode(recording.Path());
    ASSERT_EQ(pictures.width, kWidth);
    ASSERT_EQ(pictures.height, kHeight);
    ASSERT_GE(pictures.frames.size(), 20u);
    // No picture carries any of the marks: its whole rim is the scene's blue.
    for (size_t f = 0; f < pictures.frames.size(); ++f) {
        for (int x = 0; x < kWidth; x += 2)
            for (int y : {0, 1, kHeight - 2, kHeight - 1})
                ASSERT_TRUE(IsBlue(pictures.At(f, x, y))) << "picture " << f << " at " << x << "," << y;
        for (int y = 0; y < kHeight; y += 2)
            for (int x : {0, 1, kWidth - 2, kWidth - 1})
                ASSERT_TRUE(IsBlue(pictures.At(f, x, y))) << "picture " << f << " at " << x << "," << y;
    }
}

TEST_F(RegionRecordingTest, DraggingTheFrameMovesTheRecordingToTheScreenCorner) {
    ASSERT_TRUE(recording.Start({kLeft, kTop, kLeft + kWidth - 1, kTop + kHeight - 1}, main));
    ASSERT_TRUE(ui::PumpUntil([&] { return ::IsWindowVisible(frame) != 0; }, 30000));
    ASSERT_TRUE(WaitForFills(20));

    // Drag the bottom-right mark by (-300, -300).
    const POINT mark{kLeft + kWidth + 3, kTop + kHeight + 3};
    ASSERT_TRUE(ui::Xdo("mousemove " + std::to_string(mark.x) + " " + std::to_string(mark.y)));
    ASSERT_TRUE(ui::Xdo("mousedown 1"));
    ASSERT_TRUE(ui::PumpUntil([&] { return frame.Dragging(); }));
    ASSERT_TRUE(ui::Xdo("mousemove " + std::to_string(mark.x - 300) + " " +
                        std::to_string(mark.y - 300)));
    ASSERT_TRUE(ui::Xdo("mouseup 1"));
    ASSERT_TRUE(ui::PumpUntil([&] { return !frame.Dragging(); }));
    ASSERT_TRUE(ui::Xdo("mousemove 1270 1010"));
    EXPECT_EQ(frame.Framed(), (ScreenRect{0, 0, kWidth - 1, kHeight - 1}));

    // The worker takes the new origin at its next turn.
    ASSERT_TRUE(ui::PumpUntil([&] { return !session.State.RectPending(); }, 30000));
    const size_t fillsAfterDrag = watched.Fills().size();
    ASSERT_TRUE(WaitForFills(fillsAfterDrag + 50));
    StopAndCheckEnd();

    const Pictures pictures = Decode(recording.Path());
    ASSERT_EQ(pictures.width, kWidth) << "the recorded size changed";
    ASSERT_EQ(pictures.height, kHeight);
    ASSERT_GE(pictures.frames.size(), 10u);
    // First picture: taken at (100, 100), all blue.
    EXPECT_TRUE(IsBlue(pictures.At(0, 10, 10)));
    EXPECT_TRUE(IsBlue(pictures.At(0, 300, 300)));
    // Last picture: taken at (0, 0), the green strips along its top and left.
    const size_t last = pictures.frames.size() - 1;
    EXPECT_TRUE(IsGreen(pictures.At(last, 10, 10)));
    EXPECT_TRUE(IsGreen(pictures.At(last, 50, 400)));
    EXPECT_TRUE(IsGreen(pictures.At(last, 600, 50)));
    EXPECT_TRUE(IsBlue(pictures.At(last, 300, 300)));
    EXPECT_TRUE(IsBlue(pictures.At(last, kWidth - 1, kHeight - 1))) << "a mark got into the picture";
}

}  // namespace
