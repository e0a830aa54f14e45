// The skinned dialogs' frame on a real dialog under Wine, driven by the real
// pointer: its shape, what it paints (read back from the screen), the buttons
// its table places, the body drag and the minimise and close buttons.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/SkinDialog.h"
#include "framework/App.h"
#include "tests/support/ui_helpers.h"
#include "tests/win32/controls_probe.h"
#include "tests/win32/controls_probe_ids.h"

namespace {

using probe::Describe;
using ui::PumpUntil;

constexpr int kWidth = 320, kHeight = 220;
constexpr COLORREF kBackground = RGB(0, 128, 128);
constexpr COLORREF kTitle = RGB(255, 255, 255);
constexpr COLORREF kBodyMark = RGB(255, 255, 0);
constexpr COLORREF kTool = RGB(255, 0, 0);
constexpr COLORREF kScreen = RGB(128, 0, 128);
constexpr layout::Box kTitleLine{10, 5, 200, 20};
constexpr layout::Box kMarkBox{200, 150, 40, 30};
constexpr POINT kBodyPoint{120, 170};  // background, away from every control

constexpr layout::ButtonPlace kButtons[] = {
    {IDC_SKIN_PROBE_TOOL, "tool", {20, 40, 54, 47}},
    {IDC_SKIN_PROBE_HIDDEN, "tool", {100, 40, 30, 30}, false},
    {IDC_SKIN_PROBE_SCREEN, "screen", {150, 40, 60, 40}, true, layout::Pictures::One},
    {IDC_SKIN_PROBE_MINIMIZE, "box", {270, 4, 20, 20}},
    {IDC_SKIN_PROBE_CLOSE, "box", {294, 4, 20, 20}},
};

constexpr SkinFrameStyle kStyle{
    .width = kWidth,
    .height = kHeight,
    .cornerDiameter = 11,
    .minimizeBox = true,
    .blackWithoutPicture = true,
    .title = {"Arial", 18, 800, kTitle, kTitleLine},
    .minimizeId = IDC_SKIN_PROBE_MINIMIZE,
    .closeId = IDC_SKIN_PROBE_CLOSE,
};

// A dialog built on the frame as the program's are, counting what reaches it.
class SkinProbe : public CSkinDialog {
public:
    SkinProbe(std::string background, std::string folder)
        : CSkinDialog(IDD_SKIN_PROBE, nullptr, kStyle), m_backgroundFile(std::move(background)),
          m_folder(std::move(folder)) {}

    int cancels = 0;
    int bodyPaints = 0;

protected:
    BOOL OnInitDialog() override {
        LoadBackground(m_backgroundFile);
        SetTitle("Skin probe");
        ApplyShape();
        PlaceButtons(kButtons, m_folder);
        ::SetWindowPos(m_hWnd, HWND_TOP, 100, 100, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        return TRUE;
    }
    void OnCancel() override { ++cancels; }  // stays open for the next check
    void PaintBody(HDC dc) override {
        ++bodyPaints;
        const RECT mark = ToRect(kMarkBox);
        fw::Brush yellow(::CreateSolidBrush(kBodyMark));
        ::FillRect(dc, &mark, yellow);
    }

private:
    std::string m_backgroundFile;
    std::string m_folder;
};

class SkinDialogTest : public testing::Test {
protected:
    void SetUp() override {
        fw::CWinApp::Enable3dControls();
        ui::MoveMouse(900, 900);
        background = Write("background", kWidth, kHeight, kBackground);
        for (const char* state : {"normal", "hover", "click"}) {
            Write(std::string("tool_") + state, 54, 47, kTool);
            Write(std::string("box_") + state, 20, 20, RGB(90, 90, 90));
        }
        Write("screen", 60, 40, kScreen);
        // The written files share a prefix, which serves as the skin folder.
        folder = background.substr(0, background.size() - std::string("background.bmp").size());
        owned = std::make_unique<SkinProbe>(background, folder);
        dialog = owned.get();
        ASSERT_TRUE(dialog->Create(nullptr));
        ::UpdateWindow(*dialog);
        ui::PumpFor(300);
    }
    void TearDown() override {
        if (dialog) dialog->DestroyWindow();
        for (const std::string& file : written) ::DeleteFileA(file.c_str());
    }

    std::string Write(const std::string& name, int width, int height, COLORREF colour) {
        written.push_back(probe::WriteSolidBitmap(name, width, height, colour));
        return written.back();
    }
    COLORREF At(int x, int y) const {
        POINT p = ui::ClientToScreenPoint(*dialog, x, y);
        return ui::ScreenPixel(p.x, p.y);
    }
    RECT WindowRect() const {
        RECT rect{};
        ::GetWindowRect(*dialog, &rect);
        return rect;
    }
    // Presses at a client point, moves the pointer by (dx, dy) and lets go,
    // from one command while this thread keeps the dialog's messages going
    // (the system's move loop runs inside them until the button is up).
    bool PressMoveRelease(POINT client, int dx, int dy) {
        const POINT from = ui::ClientToScreenPoint(*dialog, client.x, client.y);
        const std::string at = std::to_string(from.x) + " " + std::to_string(from.y);
        const std::string half = std::to_string(from.x + dx / 2) + " " + std::to_string(from.y + dy / 2);
        const std::string to = std::to_string(from.x + dx) + " " + std::to_string(from.y + dy);
        return ui::Xdo("mousemove --sync " + at + " mousedown 1 sleep 0.3 mousemove --sync " + half +
                       " sleep 0.2 mousemove --sync " + to + " sleep 0.3 mouseup 1");
    }

    std::vector<std::string> written;
    std::string background, folder;
    std::unique_ptr<SkinProbe> owned;
    SkinProbe* dialog = nullptr;
};

TEST_F(SkinDialogTest, ShapePicturesTitleAndButtonsComeFromTheStyleAndTheTable) {
    // No caption left, a minimise box for the task bar, the frame's size
    // without a border, and only the top corners cut round.
    const LONG style = ::GetWindowLongA(*dialog, GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, 0);
    EXPECT_NE(style & WS_MINIMIZEBOX, 0);
    const RECT rect = WindowRect();
    EXPECT_EQ(rect.left, 100);
    EXPECT_EQ(rect.right - rect.left, kWidth);
    EXPECT_EQ(rect.bottom - rect.top, kHeight);
    RECT client{};
    ::GetClientRect(*dialog, &client);
    EXPECT_EQ(client.right, kWidth);
    EXPECT_EQ(client.bottom, kHeight);
    HRGN shape = ::CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(::GetWindowRgn(*dialog, shape), ERROR) << "no shape of its own";
    EXPECT_FALSE(::PtInRegion(shape, 0, 0));
    EXPECT_FALSE(::PtInRegion(shape, kWidth - 1, 0));
    EXPECT_TRUE(::PtInRegion(shape, kWidth / 2, 0));
    EXPECT_TRUE(::PtInRegion(shape, 0, kHeight - 1));
    EXPECT_TRUE(::PtInRegion(shape, kWidth - 1, kHeight - 1));
    ::DeleteObject(shape);

    // The background picture, the title in its line and what the dialog
    // paints on top.
    EXPECT_TRUE(PumpUntil([&] { return At(kBodyPoint.x, kBodyPoint.y) == kBackground; }))
        << Describe(At(kBodyPoint.x, kBodyPoint.y));
    EXPECT_EQ(At(kMarkBox.x + 5, kMarkBox.y + 5), kBodyMark);
    EXPECT_GT(dialog->bodyPaints, 0);
    const POINT line = ui::ClientToScreenPoint(*dialog, kTitleLine.x, kTitleLine.y);
    int titlePixels = 0;
    for (COLORREF c : ui::ScreenPixels(line.x, line.y, kTitleLine.width, kTitleLine.height))
        titlePixels += c == kTitle;
    EXPECT_GT(titlePixels, 40) << "the title is not written";

    // Every button at its place with its pictures; the hidden one hidden.
    for (const layout::ButtonPlace& place : kButtons) {
        HWND button = dialog->GetDlgItem(place.id);
        RECT at{};
        ::GetWindowRect(button, &at);
        ::MapWindowPoints(nullptr, *dialog, reinterpret_cast<POINT*>(&at), 2);
        EXPECT_EQ(at.left, place.box.x) << place.id;
        EXPECT_EQ(at.top, place.box.y) << place.id;
        EXPECT_EQ(at.right - at.left, place.box.width) << place.id;
        EXPECT_EQ(at.bottom - at.top, place.box.height) << place.id;
        EXPECT_EQ(::IsWindowVisible(button) != FALSE, place.shown) << place.id;
    }
    EXPECT_EQ(At(47, 63), kTool) << "the tool button's picture";
    EXPECT_EQ(At(180, 60), kScreen) << "the one picture of the screen";
    EXPECT_EQ(At(115, 55), kBackground) << "the hidden button shows";
    ui::SaveScreenshot("skin-dialog-frame");
}

TEST_F(SkinDialogTest, BodyDragsTheWindowWithThePointerButAPressOnAButtonDoesNot) {
    ASSERT_TRUE(PumpUntil([&] { return At(kBodyPoint.x, kBodyPoint.y) == kBackground; }));
    const RECT before = WindowRect();
    ASSERT_TRUE(PressMoveRelease({47, 63}, 60, 40));
    ui::PumpFor(300);
    RECT after = WindowRect();
    EXPECT_EQ(after.left, before.left) << "a press on a button dragged the window";
    EXPECT_EQ(after.top, before.top);

    ASSERT_TRUE(PressMoveRelease(kBodyPoint, 60, 40));
    EXPECT_TRUE(PumpUntil(
        [&] {
            after = WindowRect();
            return after.left == before.left + 60 && after.top == before.top + 40;
        },
        5000))
        << "the window is at " << after.left << "," << after.top;
    EXPECT_EQ(after.right - after.left, kWidth);
    EXPECT_EQ(dialog->cancels, 0);
}

TEST_F(SkinDialogTest, CloseButtonCancelsAndMinimiseButtonMinimises) {
    const POINT close = ui::ClientToScreenPoint(*dialog, 304, 14);
    ASSERT_TRUE(ui::Click(close.x, close.y));
    EXPECT_TRUE(PumpUntil([&] { return dialog->cancels == 1; })) << "the close button did not cancel";
    const POINT minimise = ui::ClientToScreenPoint(*dialog, 280, 14);
    ASSERT_TRUE(ui::Click(minimise.x, minimise.y));
    EXPECT_TRUE(PumpUntil([&] { return ::IsIconic(*dialog) != FALSE; })) << "not minimised";
    EXPECT_EQ(dialog->cancels, 1);
}

}  // namespace
