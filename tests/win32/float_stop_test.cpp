// The floating stop window under Wine with a stand-in main window: shown by
// the recording worker's thread beside the recorded area, its stop button
// and context menu used with the real pointer.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "controls/FloatStopWnd.h"
#include "controls/SkinFiles.h"
#include "framework/ProgramFolder.h"
#include "engine/RecordingSession.h"
#include "framework/App.h"
#include "res/resource.h"
#include "tests/support/ui_helpers.h"
#include "tests/support/process_helpers.h"
#include "tests/win32/controls_probe.h"

namespace {

using ui::PumpUntil;
using probe::Describe;

RECT WindowRect(HWND hwnd) {
    RECT rc{};
    ::GetWindowRect(hwnd, &rc);
    return rc;
}

class FloatStopTest : public testing::Test {
protected:
    void SetUp() override {
        fw::CWinApp::Enable3dControls();
        session.Params.ScreenWidth = ::GetSystemMetrics(SM_CXSCREEN);
        session.Params.ScreenHeight = ::GetSystemMetrics(SM_CYSCREEN);
        ui::MoveMouse(1000, 950);
        ASSERT_TRUE(owner.Open(600, 100, 300, 200));
        ASSERT_TRUE(stop.Create(owner));
    }
    void TearDown() override {
        stop.DestroyWindow();
        owner.DestroyWindow();
    }

    // Shows the window as the recording worker does: from its own thread,
    // through the window installed in its recording session.
    void ShowFromWorker(const ScreenRect& rect) {
        session.SetStopWindow(&stop);
        std::thread worker([&] { session.StopWindow().ShowBeside(rect); });
        worker.join();
        session.SetStopWindow(nullptr);
        ASSERT_TRUE(PumpUntil([&] { return ::IsWindowVisible(stop) != FALSE; })) << "not shown";
    }
    POINT Centre() const {
        RECT rc = WindowRect(stop);
        return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    }

    RecordingSession session;
    probe::OwnerWindow owner;
    CFloatStopWnd stop{session.Params};
};

TEST_F(FloatStopTest, StartsHiddenTopmostLayeredAndCoveredByItsButton) {
    EXPECT_FALSE(::IsWindowVisible(stop));
    EXPECT_EQ(::GetWindow(stop, GW_OWNER), owner.m_hWnd);
    LONG exStyle = ::GetWindowLongA(stop, GWL_EXSTYLE);
    EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
    EXPECT_TRUE(exStyle & WS_EX_LAYERED);
    RECT rc = WindowRect(stop);
    EXPECT_EQ(rc.right - rc.left, 52);
    EXPECT_EQ(rc.bottom - rc.top, 54);
    // Centred on its owner until a recording places it.
    EXPECT_NEAR((rc.left + rc.right) / 2, 750, 1);
    EXPECT_NEAR((rc.top + rc.bottom) / 2, 200, 1);
    RECT button = WindowRect(stop.StopButton());
    EXPECT_TRUE(::EqualRect(&button, &rc));

    char text[32] = {};
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.hwnd = stop.StopButton();
    tool.uId = 1;
    tool.lpszText = text;
    ::SendMessageA(stop.StopButton().ToolTip(), TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(text, "Stop Record");
}

TEST_F(FloatStopTest, WorkerShowsItBelowTheRegionOpaqueAndSkinned) {
    ShowFromWorker({200, 200, 499, 399});  // inclusive: 300 x 200
    RECT rc = WindowRect(stop);
    EXPECT_EQ(rc.left, 500 - 52);
    EXPECT_EQ(rc.top, 400);
    EXPECT_EQ(rc.right - rc.left, 52);
    EXPECT_EQ(rc.bottom - rc.top, 54);
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(::GetLayeredWindowAttributes(stop, nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 255);
    EXPECT_TRUE(flags & LWA_ALPHA);

    // What the screen shows is the skin's picture, at its own size.
    const std::string picture = probe::DialogSkinFolder() + "float_stop_normal.bmp";
    for (POINT at : {POINT{26, 22}, POINT{26, 8}, POINT{5, 5}, POINT{26, 47}}) {
        COLORREF want = probe::BitmapPixel(picture, at.x, at.y);
        EXPECT_TRUE(PumpUntil([&] { return probe::Near(ui::ScreenPixel(rc.left + at.x, rc.top + at.y), want); }, 5000))
            << "at " << at.x << "," << at.y << ": " << Describe(ui::ScreenPixel(rc.left + at.x, rc.top + at.y))
            << " instead of " << Describe(want);
    }
    ui::SaveScreenshot("float_stop_shown");

    // Shown again from the window's own thread it moves at once.
    stop.ShowBeside({10, 900, 200, 1000});
    rc = WindowRect(stop);
    EXPECT_EQ(rc.left, 10);
    EXPECT_EQ(rc.top, 900 - 54);
}

TEST_F(FloatStopTest, FullScreenRegionStillGetsAPlaceOnTheScreen) {
    const int width = session.Params.ScreenWidth, height = session.Params.ScreenHeight;
    ShowFromWorker({0, 0, width - 1, height - 1});
    RECT rc = WindowRect(stop);
    EXPECT_GT(rc.left, 0);
    EXPECT_GT(rc.top, 0);
    EXPECT_LT(rc.right, width);
    EXPECT_LT(rc.bottom, height);
}

TEST_F(FloatStopTest, StopButtonStopsTheRecordingAndBringsTheMainWindowBack) {
    ShowFromWorker({200, 200, 499, 399});
    owner.ShowWindow(SW_HIDE);
    POINT centre = Centre();
    ASSERT_TRUE(ui::Click(centre.x, centre.y));
    EXPECT_TRUE(PumpUntil([&] { return !owner.commands.empty(); })) << "no command reached the main window";
    ASSERT_EQ(owner.commands.size(), 1u);
    EXPECT_EQ(owner.commands[0], ID_STOP_RECORDING);
    EXPECT_TRUE(::IsWindowVisible(owner));
    EXPECT_FALSE(::IsIconic(owner));
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindowVisible(stop); }));
}

TEST_F(FloatStopTest, EnterAndEscapeLeaveItShown) {
    ShowFromWorker({200, 200, 499, 399});
    stop.SendMessage(WM_COMMAND, IDOK);
    stop.SendMessage(WM_COMMAND, IDCANCEL);
    ui::PumpFor(200);
    EXPECT_TRUE(::IsWindowVisible(stop));
    EXPECT_TRUE(owner.commands.empty());
}

TEST_F(FloatStopTest, PressedMouseMakesTheWindowBodyAHandle) {
    ShowFromWorker({200, 200, 499, 399});
    RECT rc = WindowRect(stop);
    LPARAM inside = MAKELPARAM(rc.left + 10, rc.top + 10);
    EXPECT_EQ(stop.SendMessage(WM_NCHITTEST, 0, inside), HTCLIENT);

    // Press the button over the main window, so that Wine sees the press.
    ASSERT_TRUE(ui::MoveMouse(750, 150));
    ASSERT_TRUE(ui::MouseDown());
    bool pressed = PumpUntil([] { return ::GetAsyncKeyState(VK_LBUTTON) < 0; }, 5000);
    LRESULT whilePressed = stop.SendMessage(WM_NCHITTEST, 0, inside);
    ASSERT_TRUE(ui::MouseUp());
    ASSERT_TRUE(pressed) << "the press did not arrive";
    EXPECT_EQ(whilePressed, HTCAPTION);
    ASSERT_TRUE(PumpUntil([] { return ::GetAsyncKeyState(VK_LBUTTON) >= 0; }, 5000));
    EXPECT_EQ(stop.SendMessage(WM_NCHITTEST, 0, inside), HTCLIENT);
}

// Saves the screen around a window as screenshots/<name>.bmp, read with GDI:
// a screen grab from outside would wait for the menu's pointer grab.
void SaveScreenArea(const std::string& name, HWND around) {
    RECT rc = WindowRect(around);
    const int x = std::max(0L, rc.left - 120), y = std::max(0L, rc.top - 80);
    const int width = 320, height = 200;
    HDC screen = ::GetDC(nullptr);
    std::vector<COLORREF> pixels;
    for (int py = 0; py < height; ++py)
        for (int px = 0; px < width; ++px) pixels.push_back(::GetPixel(screen, x + px, y + py));
    ::ReleaseDC(nullptr, screen);
    std::string bmp = probe::WriteBitmapPixels(name, width, height, pixels);
    std::string folder = e2e::ProgramFolder();
    folder.resize(folder.find_last_of('\\') + 1);
    ::MoveFileExA(bmp.c_str(), (folder + "screenshots\\" + name + ".bmp").c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED);
}

// Waits for the context menu on another thread, while the menu's own loop
// runs on the window thread, and then picks an entry with the real pointer
// (or, with index -1, closes the menu with Escape).
class MenuPicker {
public:
    explicit MenuPicker(int index, std::string screenshot = {})
        : m_screenshot(std::move(screenshot)), m_thread([this, index] { Run(index); }) {}
    ~MenuPicker() { m_thread.join(); }
    std::atomic<bool> done{false};
    std::string labels;

private:
    void Run(int index) {
        HWND menu = nullptr;
        for (int i = 0; i < 500 && !menu; ++i) {
            HWND found = ::FindWindowA("#32768", nullptr);
            if (found && ::IsWindowVisible(found)) menu = found;
            else ::Sleep(20);
        }
        if (!menu) return;
        ::Sleep(200);  // let the menu settle
        if (!m_screenshot.empty()) SaveScreenArea(m_screenshot, menu);
        HMENU items = reinterpret_cast<HMENU>(::SendMessageA(menu, MN_GETHMENU, 0, 0));
        char text[32];
        for (int i = 0; i < ::GetMenuItemCount(items); ++i) {
            ::GetMenuStringA(items, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
            labels += std::string(i ? "," : "") + text;
        }
        RECT item{};
        if (index >= 0 && ::GetMenuItemRect(nullptr, items, static_cast<UINT>(index), &item)) {
            done = ui::Click((item.left + item.right) / 2, (item.top + item.bottom) / 2);
            if (done) return;
        }
        ::PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);  // never leave the menu up
        done = index < 0;
    }
    std::string m_screenshot;
    std::thread m_thread;
};

// Right-clicks the stop button and lets a picker handle the menu; true when
// `outcome` came about.
bool UseContextMenu(POINT at, int index, const std::function<bool()>& outcome,
                    std::string* labels = nullptr, const std::string& screenshot = {}) {
    bool happened = false;
    {
        MenuPicker picker(index, screenshot);
        if (!ui::Click(at.x, at.y, 3)) return false;
        happened = PumpUntil([&] { return picker.done.load() && outcome(); }, 20000);
        if (labels) *labels = picker.labels;
    }
    ui::PumpFor(::GetDoubleClickTime() + 200);
    return happened;
}

TEST_F(FloatStopTest, ContextMenuShowsOrHidesTheMainWindow) {
    ShowFromWorker({200, 200, 499, 399});
    ASSERT_TRUE(::IsWindowVisible(owner));
    std::string labels;
    EXPECT_TRUE(UseContextMenu(Centre(), 0, [&] { return !::IsWindowVisible(owner); }, &labels,
                               "float_stop_menu"))
        << "\"Show\" did not hide the main window";
    EXPECT_EQ(labels, "Show,Exit");
    EXPECT_TRUE(UseContextMenu(Centre(), 0, [&] { return ::IsWindowVisible(owner) != FALSE; }))
        << "\"Show\" did not bring it back";
    EXPECT_TRUE(owner.commands.empty());
    EXPECT_TRUE(::IsWindowVisible(stop));
}

TEST_F(FloatStopTest, ContextMenuExitPostsQuitToTheMainWindow) {
    ShowFromWorker({200, 200, 499, 399});
    EXPECT_TRUE(UseContextMenu(Centre(), 1, [&] { return ui::TakeQuit(owner); }))
        << "\"Exit\" posted no quit";
    // Quitting is the main window's loop's business: nothing was closed here.
    EXPECT_TRUE(::IsWindowVisible(owner));
    EXPECT_TRUE(owner.commands.empty());
}

TEST_F(FloatStopTest, ContextMenuComesBackEveryTime) {
    ShowFromWorker({200, 200, 499, 399});
    for (int round = 0; round < 3; ++round) {
        std::string labels;
        auto menuGone = [] {
            HWND menu = ::FindWindowA("#32768", nullptr);
            return !menu || !::IsWindowVisible(menu);
        };
        EXPECT_TRUE(UseContextMenu(Centre(), -1, menuGone, &labels)) << "round " << round;
        EXPECT_EQ(labels, "Show,Exit") << "round " << round;
    }
    EXPECT_TRUE(::IsWindowVisible(owner));
    EXPECT_TRUE(::IsWindowVisible(stop));
}

TEST_F(FloatStopTest, WithoutItsSkinTheButtonStillStopsTheRecording) {
    // A copy of this program in a folder without a skin runs the check below.
    char self[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "noskin-" + std::to_string(::GetCurrentProcessId());
    const std::string copy = folder + "\\controls_test.exe", marker = folder + "\\passed";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    ASSERT_TRUE(::CopyFileA(self, copy.c_str(), FALSE));
    ::SetEnvironmentVariableA("FLOAT_STOP_MARKER", marker.c_str());
    e2e::ChildProcess child = e2e::ChildProcess::Start(
        "\"" + copy + "\" --gtest_also_run_disabled_tests --gtest_filter=FloatStopWithoutSkin.*", folder);
    ASSERT_TRUE(child.Started());
    DWORD code = 99;
    EXPECT_TRUE(child.WaitForExit(120000, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_NE(::GetFileAttributesA(marker.c_str()), INVALID_FILE_ATTRIBUTES) << "the check did not run";
    child.Kill();
    ::DeleteFileA(marker.c_str());
    ::DeleteFileA(copy.c_str());
    ::RemoveDirectoryA(folder.c_str());
}

// Run only by the test above, from a folder that has no skin.
class FloatStopWithoutSkin : public FloatStopTest {};

TEST_F(FloatStopWithoutSkin, DISABLED_ButtonWithoutPictureStillStops) {
    ASSERT_EQ(::GetFileAttributesA((fw::ProgramFolder() + "\\skin").c_str()),
              INVALID_FILE_ATTRIBUTES);
    ShowFromWorker({200, 200, 499, 399});
    RECT rc = WindowRect(stop);
    ui::PumpFor(300);
    // The stop symbol's white square is not there.
    EXPECT_NE(ui::ScreenPixel(rc.left + 26, rc.top + 22), RGB(255, 255, 255));
    POINT centre = Centre();
    ASSERT_TRUE(ui::Click(centre.x, centre.y));
    ASSERT_TRUE(PumpUntil([&] { return !owner.commands.empty(); }));
    EXPECT_EQ(owner.commands[0], ID_STOP_RECORDING);
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindowVisible(stop); }));
    char marker[MAX_PATH] = {};
    if (!HasFailure() && ::GetEnvironmentVariableA("FLOAT_STOP_MARKER", marker, MAX_PATH))
        std::ofstream(marker) << "passed\n";
}

}  // namespace
