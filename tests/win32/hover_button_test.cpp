// The skinned buttons on a real dialog under Wine, driven by the real pointer:
// what the user sees (read back from the screen) and what the owner hears.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "controls/HoverButton.h"
#include "controls/ToggleButton.h"
#include "framework/App.h"
#include "res/resource.h"
#include "tests/support/ui_helpers.h"
#include "tests/win32/controls_probe.h"
#include "tests/win32/controls_probe_ids.h"

namespace {

using ui::PumpUntil;
using probe::Describe;

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

class HoverButtonTest : public testing::Test {
protected:
    void SetUp() override {
        fw::CWinApp::Enable3dControls();
        ui::MoveMouse(900, 900);  // well away from the dialog
        ASSERT_TRUE(dialog.Open(100, 100, 400, 300));
        dialog.Place(IDC_PROBE_HOVER, 20, 20, 54, 47);
        ASSERT_TRUE(button.SubclassDlgItem(IDC_PROBE_HOVER, dialog));
        normal = probe::WriteSolidBitmap("normal", 10, 10, kRed);
        hover = probe::WriteSolidBitmap("hover", 10, 10, kGreen);
        click = probe::WriteSolidBitmap("click", 10, 10, kBlue);
    }
    void TearDown() override {
        dialog.DestroyWindow();
        for (const std::string& path : {normal, hover, click}) ::DeleteFileA(path.c_str());
    }

    POINT ButtonPoint(int x, int y) const { return ui::ClientToScreenPoint(button, x, y); }
    COLORREF ButtonPixel(int x, int y) const {
        POINT p = ButtonPoint(x, y);
        return ui::ScreenPixel(p.x, p.y);
    }
    // Waits until the button's centre shows the colour.
    bool Shows(COLORREF colour, DWORD timeoutMs = 5000) {
        return PumpUntil([&] { return ButtonPixel(27, 23) == colour; }, timeoutMs);
    }

    probe::ProbeDialog dialog;
    CHoverButton button;
    std::string normal, hover, click;
};

TEST_F(HoverButtonTest, PicturesFollowTheMouseAndTheClickReachesTheOwner) {
    ASSERT_TRUE(button.LoadBitmapFiles(normal.c_str(), hover.c_str(), click.c_str()));
    EXPECT_TRUE(Shows(kRed)) << "at rest: " << Describe(ButtonPixel(27, 23));
    EXPECT_FALSE(button.IsHovering());

    POINT centre = ButtonPoint(27, 23);
    ASSERT_TRUE(ui::MoveMouse(centre.x, centre.y));
    EXPECT_TRUE(Shows(kGreen)) << "under the mouse: " << Describe(ButtonPixel(27, 23));
    EXPECT_TRUE(button.IsHovering());

    ASSERT_TRUE(ui::MouseDown());
    EXPECT_TRUE(Shows(kBlue)) << "pressed: " << Describe(ButtonPixel(27, 23));
    EXPECT_EQ(dialog.Count(dialog.commands, IDC_PROBE_HOVER, BN_CLICKED), 0);

    ASSERT_TRUE(ui::MouseUp());
    EXPECT_TRUE(PumpUntil([&] { return dialog.Count(dialog.commands, IDC_PROBE_HOVER, BN_CLICKED) == 1; }))
        << "the click did not reach the dialog";
    EXPECT_FALSE(Shows(kBlue, 500)) << "still pressed after the release";

    ASSERT_TRUE(ui::MoveMouse(900, 900));
    EXPECT_TRUE(Shows(kRed)) << "after leaving: " << Describe(ButtonPixel(27, 23));
    EXPECT_FALSE(button.IsHovering());
    EXPECT_EQ(dialog.Count(dialog.commands, IDC_PROBE_HOVER, BN_CLICKED), 1);
}

TEST_F(HoverButtonTest, PressedButtonShowsClickWithoutHoveringFirst) {
    button.LoadBitmapFiles(normal.c_str(), hover.c_str(), click.c_str());
    ASSERT_TRUE(Shows(kRed));
    button.SendMessage(BM_SETSTATE, TRUE);
    EXPECT_TRUE(Shows(kBlue)) << Describe(ButtonPixel(27, 23));
    EXPECT_FALSE(button.IsHovering());
    button.SendMessage(BM_SETSTATE, FALSE);
    EXPECT_TRUE(Shows(kRed));
}

TEST_F(HoverButtonTest, PicturesAreStretchedOverTheWholeButton) {
    // Two pixels, red and blue, become the button's two halves.
    std::string halves = probe::WriteBitmapPixels("halves", 2, 1, {kRed, kBlue});
    button.LoadBitmapFiles(halves.c_str(), halves.c_str(), halves.c_str());
    ASSERT_TRUE(PumpUntil([&] { return ButtonPixel(1, 1) == kRed; }, 5000))
        << Describe(ButtonPixel(1, 1));
    EXPECT_EQ(ButtonPixel(25, 45), kRed);
    EXPECT_EQ(ButtonPixel(29, 1), kBlue);
    EXPECT_EQ(ButtonPixel(52, 45), kBlue);

    // A picture larger than the button is shrunk, not cropped.
    std::string large = probe::WriteBitmap("large", 200, 160, [](int x, int y) {
        return x < 100 && y < 80 ? kGreen : RGB(0, 0, 0);
    });
    button.LoadBitmapFiles(large.c_str(), large.c_str(), large.c_str());
    ASSERT_TRUE(PumpUntil([&] { return ButtonPixel(5, 5) == kGreen; }, 5000));
    EXPECT_EQ(ButtonPixel(24, 20), kGreen);
    EXPECT_EQ(ButtonPixel(30, 5), RGB(0, 0, 0));
    EXPECT_EQ(ButtonPixel(50, 42), RGB(0, 0, 0));
    ::DeleteFileA(halves.c_str());
    ::DeleteFileA(large.c_str());
}

TEST_F(HoverButtonTest, MissingFilesLeaveStatesWithoutPicturesAndClicksStillWork) {
    // Only the hover picture is missing: rest and press still show theirs.
    EXPECT_TRUE(button.LoadBitmapFiles(normal.c_str(), "C:\\no such folder\\hover.bmp", click.c_str()));
    EXPECT_TRUE(Shows(kRed));
    POINT centre = ButtonPoint(27, 23);
    ASSERT_TRUE(ui::MoveMouse(centre.x, centre.y));
    ASSERT_TRUE(PumpUntil([&] { return button.IsHovering(); }));
    EXPECT_FALSE(Shows(kRed, 500)) << "the normal picture stayed under the mouse";
    EXPECT_FALSE(Shows(kGreen, 100));

    // Nothing at all: no picture, no stale one, and the button still works.
    EXPECT_TRUE(button.LoadBitmapFiles(nullptr, "", "Z:\\missing.bmp"));
    ASSERT_TRUE(ui::MoveMouse(900, 900));
    ui::PumpFor(300);
    COLORREF bare = ButtonPixel(27, 23);
    EXPECT_NE(bare, kRed);
    EXPECT_NE(bare, kBlue);
    ASSERT_TRUE(ui::Click(centre.x, centre.y));
    EXPECT_TRUE(PumpUntil([&] { return dialog.Count(dialog.commands, IDC_PROBE_HOVER, BN_CLICKED) == 1; }));
}

TEST_F(HoverButtonTest, TooltipAppearsWhileTheMouseRestsOnTheButton) {
    button.LoadBitmapFiles(normal.c_str(), hover.c_str(), click.c_str());
    button.SetTooltipText(nullptr);  // does nothing
    button.SetTooltipText("Old text");
    button.SetTooltipText("Stop Record");
    HWND tip = button.ToolTip();
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(::SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 1);

    POINT centre = ButtonPoint(27, 23);
    ASSERT_TRUE(ui::MoveMouse(centre.x - 3, centre.y));
    ASSERT_TRUE(ui::MoveMouse(centre.x, centre.y));
    EXPECT_TRUE(PumpUntil([&] { return ::IsWindowVisible(tip) != FALSE; }, 15000))
        << "no tooltip appeared";

    char text[80] = {};
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.hwnd = button;
    tool.uId = 1;
    tool.lpszText = text;
    ::SendMessageA(tip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(text, "Stop Record");
    ui::SaveScreenshot("hover_button_tooltip");

    ASSERT_TRUE(ui::MoveMouse(900, 900));
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindowVisible(tip); }, 10000));
}

class ToggleButtonTest : public testing::Test {
protected:
    void SetUp() override {
        fw::CWinApp::Enable3dControls();
        ui::MoveMouse(900, 900);
        ASSERT_TRUE(dialog.Open(100, 100, 400, 300));
        dialog.Place(IDC_PROBE_TOGGLE, 20, 100, 140, 36);
        ASSERT_TRUE(toggle.SubclassDlgItem(IDC_PROBE_TOGGLE, dialog));
        ::InvalidateRect(toggle, nullptr, TRUE);
    }
    void TearDown() override { dialog.DestroyWindow(); }

    COLORREF Pixel(int x, int y) const {
        POINT p = ui::ClientToScreenPoint(toggle, x, y);
        return ui::ScreenPixel(p.x, p.y);
    }
    // The round indicator's centre: 15 pixels at the left edge, centred.
    COLORREF Indicator() const { return Pixel(7, (36 - 15) / 2 + 7); }
    LRESULT Check() const { return toggle.SendMessage(BM_GETCHECK); }

    probe::ProbeDialog dialog;
    CToggleButton toggle;
};

TEST_F(ToggleButtonTest, BecomesOwnerDrawnAndCountsIndeterminateAsChecked) {
    LONG style = ::GetWindowLongA(toggle, GWL_STYLE);
    EXPECT_EQ(style & 0x1F, BS_OWNERDRAW);
    EXPECT_EQ(Check(), 0);
    EXPECT_EQ(toggle.SendMessage(BM_SETCHECK, BST_CHECKED), 0);
    EXPECT_EQ(Check(), 1);
    toggle.SendMessage(BM_SETCHECK, BST_UNCHECKED);
    EXPECT_EQ(Check(), 0);
    toggle.SendMessage(BM_SETCHECK, BST_INDETERMINATE);
    EXPECT_EQ(Check(), 1);
    toggle.SendMessage(BM_SETCHECK, 3);  // anything else clears it
    EXPECT_EQ(Check(), 0);
}

TEST_F(ToggleButtonTest, ClickFlipsTheStateAndKeepsTheClickFromTheOwner) {
    POINT centre = ui::ClientToScreenPoint(toggle, 70, 18);
    ASSERT_TRUE(ui::Click(centre.x, centre.y));
    EXPECT_TRUE(PumpUntil([&] { return Check() == 1; })) << "the click did not check it";
    // Two quick clicks make a double click, which an owner-drawn button
    // reports as such instead of a second click.
    ui::PumpFor(::GetDoubleClickTime() + 200);
    ASSERT_TRUE(ui::Click(centre.x, centre.y));
    EXPECT_TRUE(PumpUntil([&] { return Check() == 0; })) << "the second click did not clear it";
    ui::PumpFor(200);
    EXPECT_EQ(dialog.Count(dialog.commands, IDC_PROBE_TOGGLE, BN_CLICKED), 0);
}

TEST_F(ToggleButtonTest, RoundIndicatorShowsTheState) {
    EXPECT_TRUE(PumpUntil([&] { return Indicator() == RGB(0, 127, 0); }))
        << "unchecked: " << Describe(Indicator());
    toggle.SendMessage(BM_SETCHECK, BST_CHECKED);
    EXPECT_TRUE(PumpUntil([&] { return Indicator() == RGB(0, 255, 0); }))
        << "checked: " << Describe(Indicator());
    // The face around the indicator.
    EXPECT_EQ(Pixel(138, 2), RGB(205, 205, 205));
}

TEST_F(ToggleButtonTest, IconsReplaceTheIndicatorOnlyWhenBothLoad) {
    toggle.SetIcons(IDI_MAIN, IDI_BLINK);
    ASSERT_TRUE(toggle.HasIcons());
    // The program icon's record light is red, the blink icon's is grey; the
    // icons are 32 pixels, drawn from the top-left corner.
    toggle.SendMessage(BM_SETCHECK, BST_CHECKED);
    EXPECT_TRUE(PumpUntil([&] { return probe::Near(Pixel(16, 16), RGB(0xE5, 0x48, 0x4D), 30); }))
        << "checked icon: " << Describe(Pixel(16, 16));
    toggle.SendMessage(BM_SETCHECK, BST_UNCHECKED);
    EXPECT_TRUE(PumpUntil([&] { return probe::Near(Pixel(16, 16), RGB(0x5A, 0x61, 0x6E), 30); }))
        << "unchecked icon: " << Describe(Pixel(16, 16));

    toggle.SetIcons(IDI_MAIN, 4321);  // no such icon
    EXPECT_FALSE(toggle.HasIcons());
    EXPECT_TRUE(PumpUntil([&] { return Indicator() == RGB(0, 127, 0); }))
        << "round indicator: " << Describe(Indicator());
}

}  // namespace
