// The region selector under Wine, driven with the real pointer and keyboard:
// the rubber band and its label on the screen, CaptureRect, the start message.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/Messages.h"
#include "engine/RecordingSession.h"
#include "framework/Gdi.h"
#include "framework/Wnd.h"
#include "region/RegionGeometry.h"
#include "region/RegionSelector.h"
#include "tests/support/ui_helpers.h"

namespace {

// Stands in for the main window: counts the start messages it is sent.
class MainStandIn : public fw::CWnd {
public:
    int starts = 0;
    CRegionSelector* selector = nullptr;

    bool Create() {
        WNDCLASSA wc{};
        wc.lpszClassName = "SelectorTestMain";
        return RegisterClassFor(wc) && CreateEx(0, "SelectorTestMain", "main", 0, 0, 0, 0, 0,
                                                HWND_MESSAGE, nullptr);
    }

    BEGIN_MSG_MAP(MainStandIn)
        MESSAGE_HANDLER(WM_USER_RECORDSTART_MSG, OnStart)
        MESSAGE_HANDLER(WM_HOTKEY, OnHotKey)
    END_MSG_MAP()

private:
    // The third recording hotkey also ends the region drawing.
    LRESULT OnHotKey(UINT, WPARAM id, LPARAM, BOOL&) {
        if (id == 2 && selector) selector->Cancel();
        return 1;
    }
    LRESULT OnStart(UINT, WPARAM, LPARAM, BOOL&) {
        ++starts;
        return 0;
    }
};

std::vector<COLORREF> ScreenBox(const engine::BoxRect& box) {
    return ui::ScreenPixels(box.left, box.top, box.right - box.left, box.bottom - box.top);
}

// How the label text looks: black on white in the label's font.
struct TextImage {
    SIZE size{};
    std::vector<COLORREF> pixels;
};
TextImage RenderLabelText(const std::string& text) {
    TextImage image;
    HDC screen = ::GetDC(nullptr);
    fw::MemoryDC memory(screen);
    HGDIOBJ oldFont = ::SelectObject(memory, ::GetStockObject(ANSI_VAR_FONT));
    ::GetTextExtentPoint32A(memory, text.c_str(), static_cast<int>(text.size()), &image.size);
    fw::Bitmap bitmap(::CreateCompatibleBitmap(screen, image.size.cx, image.size.cy));
    {
        fw::ScopedSelect use(memory, bitmap);
        ::SetTextColor(memory, RGB(0, 0, 0));
        ::SetBkColor(memory, RGB(255, 255, 255));
        ::SetBkMode(memory, OPAQUE);
        ::TextOutA(memory, 0, 0, text.c_str(), static_cast<int>(text.size()));
        image.pixels = ui::DcPixels(memory, 0, 0, image.size.cx, image.size.cy);
    }
    ::SelectObject(memory, oldFont);
    ::ReleaseDC(nullptr, screen);
    return image;
}

class RegionSelectorTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(selector->Create());
        ASSERT_TRUE(main.Create());
        main.selector = selector;
        session.State.MainWindow = main.m_hWnd;
        session.State.CaptureRect = kUntouched;
        ASSERT_TRUE(ui::Xdo("mousemove 1270 1010"));
    }
    void TearDown() override {
        ui::Xdo("mouseup 1");
        ui::PumpFor(100);
    }

    // What OnRecordRegion does.
    void Open() {
        selector->Show();
        ASSERT_TRUE(ui::PumpUntil([&] { return ::IsWindowVisible(*selector) != 0; }));
        ui::PumpFor(300);  // let the window reach the X screen
    }
    void Point(int x, int y) {
        ASSERT_TRUE(ui::Xdo("mousemove " + std::to_string(x) + " " + std::to_string(y)));
    }
    void Press(int x, int y) {
        Point(x, y);
        ASSERT_TRUE(ui::Xdo("mousedown 1"));
        ASSERT_TRUE(ui::PumpUntil([&] { return selector->State().dragging != 0; }))
            << "the button-down did not reach the selector";
    }
    void DragTo(int x, int y, const ScreenRect& expected) {
        Point(x, y);
        ASSERT_TRUE(ui::PumpUntil([&] { return selector->State().current == expected; }))
            << "the band did not follow the pointer to " << x << "," << y;
    }
    void Release() {
        ASSERT_TRUE(ui::Xdo("mouseup 1"));
        ASSERT_TRUE(ui::PumpUntil([&] { return !::IsWindowVisible(*selector); }))
            << "the selector stayed open";
    }
    // The start message, if one was posted, arrives within this.
    void SettleMessages() { ui::PumpFor(400); }

    // Checks that the screen shows `text` as the label of `rect`.
    void ExpectLabelOnScreen(const ScreenRect& rect, const std::string& text) {
        const TextImage expected = RenderLabelText(text);
        const engine::LabelLayout layout = engine::PlaceLabel(rect, expected.size.cx, expected.size.cy);
        const std::vector<COLORREF> shown = ScreenBox(
            {layout.textX, layout.y, layout.textX + expected.size.cx, layout.y + expected.size.cy});
        int differing = 0, dark = 0;
        for (size_t i = 0; i < shown.size(); ++i) {
            differing += shown[i] != expected.pixels[i];
            dark += shown[i] == RGB(0, 0, 0);
        }
        EXPECT_EQ(differing, 0) << "the label does not read \"" << text << "\"";
        EXPECT_GT(dark, 50) << "no text drawn";
        // The rounded box's outline (black pen) and its white inside.
        const int midY = layout.y + expected.size.cy / 2;
        EXPECT_EQ(ui::ScreenPixel(layout.box.left, midY), RGB(0, 0, 0));
        EXPECT_EQ(ui::ScreenPixel(layout.box.right - 1, midY), RGB(0, 0, 0));
        EXPECT_EQ(ui::ScreenPixel(layout.box.left + 2, midY), RGB(255, 255, 255));
    }

    static constexpr ScreenRect kUntouched{-7, -7, -7, -7};
    // Fresh for each test: the default cancel key, the converter key armed.
    RecordingSession session;
    CRegionSelector selectorWindow{session};
    CRegionSelector* selector = &selectorWindow;
    MainStandIn main;
};

TEST_F(RegionSelectorTest, IsCreatedHiddenOverTheWholeScreen) {
    WNDCLASSA wc{};
    ASSERT_TRUE(::GetClassInfoA(::GetModuleHandleA(nullptr), "ShiftRegionWindow", &wc));
    EXPECT_EQ(wc.style, 0u);
    EXPECT_EQ(wc.hbrBackground, nullptr);

    EXPECT_EQ(session.Params.ScreenWidth, ::GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(session.Params.ScreenHeight, ::GetSystemMetrics(SM_CYSCREEN));
    EXPECT_FALSE(::IsWindowVisible(*selector));
    EXPECT_EQ(selector->GetWindowText(), "Title");
    EXPECT_EQ(static_cast<DWORD>(::GetWindowLongA(*selector, GWL_STYLE)) &
                  (WS_POPUP | WS_CAPTION | WS_THICKFRAME),
              static_cast<DWORD>(WS_POPUP));
    EXPECT_TRUE(::GetWindowLongA(*selector, GWL_EXSTYLE) & WS_EX_TOPMOST);
    RECT rect{};
    ::GetWindowRect(*selector, &rect);
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 0);
    EXPECT_EQ(rect.right, session.Params.ScreenWidth);
    EXPECT_EQ(rect.bottom, session.Params.ScreenHeight);

    // Asking again keeps the one window.
    HWND first = *selector;
    ASSERT_TRUE(selector->Create());
    EXPECT_EQ(static_cast<HWND>(*selector), first);
    EXPECT_EQ(::FindWindowExA(nullptr, first, "ShiftRegionWindow", nullptr), nullptr);
}

TEST_F(RegionSelectorTest, DragUpAndLeftRecordsTheNormalisedRectangleWithALiveLabel) {
    Open();
    const std::vector<COLORREF> before = ScreenBox({50, 50, 560, 460});
    Press(500, 400);
    EXPECT_EQ(selector->State().anchor.x, 500);
    EXPECT_EQ(selector->State().anchor.y, 400);
    EXPECT_EQ(selector->State().labelText, "") << "a click-sized band has no label";

    DragTo(300, 250, {300, 250, 500, 400});
    EXPECT_EQ(selector->State().labelText, "Left : 300  Top : 250  Width : 201  Height : 151");
    ExpectLabelOnScreen({300, 250, 500, 400}, selector->State().labelText);

    DragTo(100, 100, {100, 100, 500, 400});
    EXPECT_EQ(selector->State().labelText, "Left : 100  Top : 100  Width : 401  Height : 301");
    ExpectLabelOnScreen({100, 100, 500, 400}, "Left : 100  Top : 100  Width : 401  Height : 301");
    ui::SaveScreenshot("selector-band-and-label");

    // The band is the inverted outline; everything else is as it was, the
    // earlier band and label included.
    const std::vector<COLORREF> now = ScreenBox({50, 50, 560, 460});
    const ScreenRect band{100, 100, 500, 400};
    const TextImage text = RenderLabelText(selector->State().labelText);
    const engine::BoxRect label = engine::PlaceLabel(band, text.size.cx, text.size.cy).box;
    int outlineChanged = 0, outline = 0;
    for (int y = 50; y < 460; ++y)
        for (int x = 50; x < 560; ++x) {
            const size_t i = static_cast<size_t>((y - 50) * 510 + (x - 50));
            if (label.Contains(x, y)) continue;
            bool onOutline = false;
            for (const engine::BoxRect& strip : engine::RubberBandStrips(band))
                onOutline = onOutline || strip.Contains(x, y);
            if (onOutline) {
                ++outline;
                outlineChanged += now[i] != before[i];
            } else {
                ASSERT_EQ(now[i], before[i]) << "left behind at " << x << "," << y;
            }
        }
    EXPECT_EQ(outlineChanged, outline);

    Release();
    SettleMessages();
    EXPECT_EQ(session.State.CaptureRect, (ScreenRect{100, 100, 500, 400}));
    EXPECT_EQ(selector->State().committed, (ScreenRect{100, 100, 500, 400}));
    EXPECT_EQ(selector->State().dragging, 0);
    EXPECT_EQ(main.starts, 1);
}

TEST_F(RegionSelectorTest, ClickWithoutMovementStartsNothing) {
    Open();
    Press(300, 300);
    Release();
    SettleMessages();
    EXPECT_EQ(main.starts, 0);
    EXPECT_EQ(session.State.CaptureRect, kUntouched);
    EXPECT_EQ(selector->State().committed, (ScreenRect{300, 300, 300, 300}));

    // A band of no height starts nothing either.
    Open();
    Press(300, 300);
    DragTo(500, 300, {300, 300, 500, 300});
    Release();
    SettleMessages();
    EXPECT_EQ(main.starts, 0);
    EXPECT_EQ(session.State.CaptureRect, kUntouched);
}

TEST_F(RegionSelectorTest, LabelGoesBelowABandNearTheTopOfTheScreen) {
    Open();
    Press(200, 5);
    DragTo(600, 300, {200, 5, 600, 300});
    const std::string label = "Left : 200  Top : 5  Width : 401  Height : 296";
    EXPECT_EQ(selector->State().labelText, label);
    const TextImage text = RenderLabelText(label);
    ASSERT_LT(5, text.size.cy + 5);
    EXPECT_EQ(engine::PlaceLabel({200, 5, 600, 300}, text.size.cx, text.size.cy).y, 305);
    ExpectLabelOnScreen({200, 5, 600, 300}, label);
    ui::SaveScreenshot("selector-label-below");

    Release();
    SettleMessages();
    EXPECT_EQ(session.State.CaptureRect, (ScreenRect{200, 5, 600, 300}));
    EXPECT_EQ(main.starts, 1);
}

TEST_F(RegionSelectorTest, CancelKeyHidesWithoutStartingAndRearmsTheConverterKey) {
    session.Hotkeys.ConvertArmed = 0;
    Open();
    Press(300, 300);
    DragTo(600, 500, {300, 300, 600, 500});
    ASSERT_TRUE(ui::FocusForKeys(*selector));

    // Other keys do nothing.
    ASSERT_TRUE(ui::Xdo("key F9 a"));
    ui::PumpFor(300);
    EXPECT_TRUE(::IsWindowVisible(*selector));
    EXPECT_EQ(selector->State().dragging, 1);

    ASSERT_TRUE(ui::Xdo("key F10"));
    ASSERT_TRUE(ui::PumpUntil([&] { return !::IsWindowVisible(*selector); }))
        << "F10 did not cancel";
    SettleMessages();
    EXPECT_EQ(main.starts, 0);
    EXPECT_EQ(session.State.CaptureRect, kUntouched);
    EXPECT_EQ(session.Hotkeys.ConvertArmed.load(), 1);
    EXPECT_EQ(selector->State().dragging, 0);
    EXPECT_EQ(selector->State().committed, (ScreenRect{300, 300, 600, 500}));

    // Releasing the button afterwards starts nothing either.
    ASSERT_TRUE(ui::Xdo("mouseup 1"));
    SettleMessages();
    EXPECT_EQ(main.starts, 0);
}

TEST_F(RegionSelectorTest, CancelWorksWhenTheMainWindowOwnsTheKeyAsAHotkey) {
    // A registered hotkey takes the key before the focused selector sees it.
    ASSERT_TRUE(::RegisterHotKey(main, 2, 0, VK_F10));
    EXPECT_FALSE(selector->Cancel()) << "nothing is open to cancel";
    session.Hotkeys.ConvertArmed = 0;
    Open();
    Press(300, 300);
    DragTo(600, 500, {300, 300, 600, 500});
    ASSERT_TRUE(ui::FocusForKeys(*selector));
    ASSERT_TRUE(ui::Xdo("key F10"));
    ASSERT_TRUE(ui::PumpUntil([&] { return !::IsWindowVisible(*selector); }))
        << "F10 did not cancel";
    ASSERT_TRUE(ui::Xdo("mouseup 1"));
    SettleMessages();
    EXPECT_EQ(main.starts, 0);
    EXPECT_EQ(session.Hotkeys.ConvertArmed.load(), 1);
    EXPECT_EQ(selector->State().committed, (ScreenRect{300, 300, 600, 500}));
    ::UnregisterHotKey(main, 2);
}

TEST_F(RegionSelectorTest, CancelFollowsTheHotkeyTable) {
    session.Hotkeys.RegionCancelKey = VK_F11;
    Open();
    Press(300, 300);
    DragTo(400, 400, {300, 300, 400, 400});
    ASSERT_TRUE(ui::FocusForKeys(*selector));
    ASSERT_TRUE(ui::Xdo("key F10"));
    ui::PumpFor(300);
    EXPECT_TRUE(::IsWindowVisible(*selector)) << "F10 cancelled though the key is now F11";
    ASSERT_TRUE(ui::Xdo("key F11"));
    ASSERT_TRUE(ui::PumpUntil([&] { return !::IsWindowVisible(*selector); }));
    SettleMessages();
    EXPECT_EQ(main.starts, 0);
}

}  // namespace
