// The skin on the controls it was drawn for: a stage with the main window's
// buttons and output list at their places, and one with the editing dialogs'
// frame. What the screen shows must be the skin's pictures, pixel for pixel,
// and the screenshots are kept for people to look at. (The main window's own
// background is checked on the real window, in the end-to-end start-up test.)
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/CheckListCtrl.h"
#include "controls/HoverButton.h"
#include "framework/App.h"
#include "framework/Gdi.h"
#include "tests/support/ui_helpers.h"
#include "tests/win32/controls_probe.h"

namespace {

using ui::PumpUntil;
using probe::Describe;

struct Placed {
    const char* skin;
    int id, x, y, width, height;
};

// The main window's visible buttons.
const Placed kMainButtons[] = {
    {"record_fixed", 1052, 10, 32, 54, 47}, {"record_custom", 1053, 70, 32, 54, 47},
    {"record_stop", 1049, 130, 32, 54, 47}, {"converter", 1048, 190, 32, 54, 47},
    {"home", 1033, 390, 32, 54, 47},        {"mini", 1006, 458, 4, 20, 20},
    {"close", 1007, 480, 4, 20, 20},        {"open_folder", 1013, 300, 530, 92, 20},
    {"change_folder", 1012, 400, 530, 92, 20},
};

// The editing dialogs' buttons.
const Placed kDialogButtons[] = {
    {"pause", 1057, 15, 311, 34, 34},  {"play", 1055, 49, 309, 36, 38},
    {"stop", 1056, 85, 311, 34, 34},   {"reset", 1051, 284, 406, 97, 30},
    {"ok", IDOK, 386, 406, 97, 30},    {"cancel", IDCANCEL, 490, 406, 97, 30},
    {"close", 1062, 570, 4, 21, 19},   {"small_ok", 1059, 450, 120, 92, 20},
};

// A top-level window painted with a skin background and carrying skinned
// buttons, as the program's windows are.
class Stage : public fw::CWnd {
public:
    std::string background;

    bool Open(int x, int y, int width, int height) {
        WNDCLASSA wc{};
        wc.lpszClassName = "SkinStage";
        wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
        if (!RegisterClassFor(wc)) return false;
        m_background.Reset(static_cast<HBITMAP>(
            ::LoadImageA(nullptr, background.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
        return CreateEx(0, "SkinStage", "Stage", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, x, y, width,
                        height, nullptr, nullptr);
    }
    CHoverButton& AddButton(const Placed& b, const std::string& folder, const char* skin = nullptr) {
        HWND hwnd = ::CreateWindowA("BUTTON", "", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, b.x, b.y,
                                    b.width, b.height, m_hWnd,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(b.id)), nullptr, nullptr);
        m_buttons.push_back(std::make_unique<CHoverButton>());
        m_buttons.back()->SubclassWindow(hwnd);
        m_buttons.back()->LoadSkin(folder, skin ? skin : b.skin);
        return *m_buttons.back();
    }
    void AddEdit(int x, int y, int width, int height, const char* text) {
        HWND edit = ::CreateWindowExA(0, "EDIT", text, WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL,
                                      x, y, width, height, m_hWnd, nullptr, nullptr, nullptr);
        ::SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), TRUE);
    }
    BEGIN_MSG_MAP(Stage)
        MSG_WM_ERASEBKGND(OnEraseBackground)
    END_MSG_MAP()

private:
    BOOL OnEraseBackground(HDC dc) {
        RECT client;
        ::GetClientRect(m_hWnd, &client);
        if (m_background) {
            fw::MemoryDC memory(dc);
            fw::ScopedSelect select(memory, m_background);
            ::BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
        }
        return TRUE;
    }

    fw::Bitmap m_background;
    std::vector<std::unique_ptr<CHoverButton>> m_buttons;
};

COLORREF ScreenAt(HWND hwnd, int x, int y) {
    POINT p = ui::ClientToScreenPoint(hwnd, x, y);
    return ui::ScreenPixel(p.x, p.y);
}

// Compares a button's picture with the screen at a grid of points.
void ExpectShowsPicture(HWND stage, const Placed& b, const std::string& file) {
    SIZE size = probe::BitmapSize(file);
    ASSERT_EQ(size.cx, b.width) << file;
    ASSERT_EQ(size.cy, b.height) << file;
    for (int gy = 1; gy <= 3; ++gy) {
        for (int gx = 1; gx <= 3; ++gx) {
            int x = b.width * gx / 4, y = b.height * gy / 4;
            COLORREF want = probe::BitmapPixel(file, x, y);
            COLORREF got = ScreenAt(stage, b.x + x, b.y + y);
            EXPECT_TRUE(probe::Near(got, want, 2))
                << b.skin << " at " << x << "," << y << ": " << Describe(got) << " instead of " << Describe(want);
        }
    }
}

class SkinLayoutTest : public testing::Test {
protected:
    void SetUp() override {
        fw::CWinApp::Enable3dControls();
        ui::MoveMouse(1200, 1000);
    }
    void TearDown() override { stage.DestroyWindow(); }
    Stage stage;
};

TEST_F(SkinLayoutTest, MainWindowControlsShowTheirSkinAtTheirPlaces) {
    const std::string folder = probe::MainSkinFolder();
    stage.background = folder + "back_ui.bmp";
    ASSERT_TRUE(stage.Open(0, 0, 510, 620));
    for (const Placed& b : kMainButtons) stage.AddButton(b, folder);
    stage.AddEdit(60, 530, 230, 20, "C:\\QuorvantaOutput");
    stage.AddEdit(60, 560, 92, 20, "00:00:00");
    CCheckListCtrl list;
    ASSERT_TRUE(list.Create(stage, RECT{15, 100, 495, 460}, 1004));
    list.SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    list.InsertColumn(0, " ", LVCFMT_CENTER, 0);
    list.InsertColumn(1, "FileName", LVCFMT_CENTER, 240);
    list.InsertColumn(2, "Duration", LVCFMT_CENTER, 160);
    const std::string tile = folder + "list_back.bmp";
    ASSERT_EQ(list.SetBackgroundImage(tile.c_str(), TRUE), 1);
    ::UpdateWindow(stage);
    ui::PumpFor(500);

    for (const Placed& b : kMainButtons) ExpectShowsPicture(stage, b, folder + b.skin + "_normal.bmp");
    // The empty list shows its tile from the header down.
    RECT header{};
    ::GetWindowRect(list.Header(), &header);
    ::MapWindowPoints(nullptr, list, reinterpret_cast<POINT*>(&header), 2);
    for (POINT at : {POINT{238, 122}, POINT{150, 180}, POINT{10, 10}})
        EXPECT_TRUE(probe::Near(ScreenAt(list, at.x, header.bottom + at.y), probe::BitmapPixel(tile, at.x, at.y), 2))
            << "list tile at " << at.x << "," << at.y;
    ui::SaveScreenshot("main_window_controls");

    // Under the mouse the call button shows its hover picture.
    const Placed& call = kMainButtons[0];
    POINT centre = ui::ClientToScreenPoint(stage, call.x + call.width / 2, call.y + call.height / 2);
    ASSERT_TRUE(ui::MoveMouse(centre.x, centre.y));
    const std::string hover = folder + "record_fixed_hover.bmp";
    EXPECT_TRUE(PumpUntil([&] {
        return probe::Near(ScreenAt(stage, call.x + 2, call.y + 2), probe::BitmapPixel(hover, 2, 2), 2) &&
               probe::Near(ScreenAt(stage, call.x + 27, call.y + 5), probe::BitmapPixel(hover, 27, 5), 2);
    })) << "hover picture not shown";
    ExpectShowsPicture(stage, call, hover);

    // Two recordings in the list.
    const char* files[] = {"2011-01-05 09-12-47.avi", "2011-01-05 09-20-03.avi"};
    const char* durations[] = {"00:07:12", "00:00:41"};
    for (int row = 0; row < 2; ++row) {
        list.InsertRow(row, " ", ::GetSysColor(COLOR_WINDOWTEXT), ::GetSysColor(COLOR_WINDOW));
        list.SetCellText(row, 1, files[row]);
        list.SetCheckbox(row, 0, 1);
        list.SetCellText(row, 2, durations[row]);
    }
    ui::PumpFor(500);
    ui::SaveScreenshot("main_window_with_recordings");
}

TEST_F(SkinLayoutTest, EditingDialogFrameShowsItsButtonsAndPreviewPicture) {
    const std::string folder = probe::DialogSkinFolder();
    stage.background = folder + "trim_bk.bmp";
    ASSERT_TRUE(stage.Open(100, 100, 600, 450));
    for (const Placed& b : kDialogButtons) stage.AddButton(b, folder);
    // The preview area shows one picture for all three states.
    const Placed preview{"screen", 1054, 13, 51, 320, 240};
    const std::string screen = folder + "screen.bmp";
    stage.AddButton(preview, folder).LoadBitmapFiles(screen.c_str(), screen.c_str(), screen.c_str());
    ::UpdateWindow(stage);
    ui::PumpFor(500);
    for (const Placed& b : kDialogButtons) ExpectShowsPicture(stage, b, folder + b.skin + "_normal.bmp");
    ExpectShowsPicture(stage, preview, screen);
    ui::SaveScreenshot("editing_dialog_frame");
}

}  // namespace
