// The skinned progress bar on a real dialog: its two pictures split at the
// position as the screen shows them, its text, and its look without pictures.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "controls/SkinProgress.h"
#include "framework/Gdi.h"
#include "framework/App.h"
#include "res/resource.h"
#include "tests/support/ui_helpers.h"
#include "tests/win32/controls_probe.h"

namespace {

using probe::Describe;
using ui::PumpUntil;

constexpr int kId = 700;
constexpr int kWidth = 300, kHeight = 22;

// A pixel of a bitmap resource as it would be stretched over the control.
COLORREF ResourcePixel(int id, int controlX, int controlY) {
    fw::Bitmap bitmap(static_cast<HBITMAP>(
        ::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, 0)));
    BITMAP info{};
    if (!bitmap || !::GetObjectA(bitmap, sizeof info, &info)) return CLR_INVALID;
    fw::WindowDC screen(nullptr);
    fw::MemoryDC memory(screen);
    fw::ScopedSelect select(memory, bitmap);
    return ::GetPixel(memory, controlX * info.bmWidth / kWidth, controlY * info.bmHeight / kHeight);
}

class SkinProgressTest : public testing::Test {
protected:
    void SetUp() override {
        fw::CWinApp::Enable3dControls();
        ui::MoveMouse(900, 900);
        ASSERT_TRUE(dialog.Open(100, 100, 400, 200));
        ASSERT_TRUE(progress.Create(dialog, kId, 40, 60, kWidth, kHeight));
    }
    void TearDown() override { dialog.DestroyWindow(); }

    COLORREF At(int x, int y) const {
        POINT p = ui::ClientToScreenPoint(progress, x, y);
        return ui::ScreenPixel(p.x, p.y);
    }
    bool Shows(int x, int y, COLORREF colour) {
        return PumpUntil([&] { return probe::Near(At(x, y), colour, 8); }, 5000);
    }

    probe::ProbeDialog dialog;
    CSkinProgress progress;
};

TEST_F(SkinProgressTest, BarPictureCoversTheDonePartAndFollowsEveryWayOfSettingIt) {
    ASSERT_TRUE(progress.SetBitmaps(IDB_PROGRESS_TROUGH, IDB_PROGRESS_BAR));
    EXPECT_EQ(progress.SendMessage(PBM_GETRANGE, TRUE), 0);
    EXPECT_EQ(progress.SendMessage(PBM_GETRANGE, FALSE), 100);
    const COLORREF bar = ResourcePixel(IDB_PROGRESS_BAR, 30, 5);
    const COLORREF trough = ResourcePixel(IDB_PROGRESS_TROUGH, 270, 5);
    ASSERT_FALSE(probe::Near(bar, trough, 30)) << "the two pictures must differ to be told apart";

    progress.SetPos(40);
    EXPECT_EQ(progress.GetPos(), 40);
    EXPECT_TRUE(Shows(30, 5, bar)) << Describe(At(30, 5));
    EXPECT_TRUE(Shows(110, 5, bar)) << "just before 40 %: " << Describe(At(110, 5));
    EXPECT_TRUE(Shows(130, 5, ResourcePixel(IDB_PROGRESS_TROUGH, 130, 5))) << Describe(At(130, 5));
    EXPECT_TRUE(Shows(270, 5, trough)) << Describe(At(270, 5));

    // The standard message moves it too, and the text follows the position.
    progress.SendMessage(PBM_SETPOS, 90);
    EXPECT_TRUE(Shows(260, 5, ResourcePixel(IDB_PROGRESS_BAR, 260, 5))) << Describe(At(260, 5));
    EXPECT_EQ(progress.ShownText(), "90%");
    // Beyond the range is the whole bar, never past it.
    progress.SetPos(250);
    EXPECT_EQ(progress.GetPos(), 100);
    EXPECT_TRUE(Shows(kWidth - 2, 5, ResourcePixel(IDB_PROGRESS_BAR, kWidth - 2, 5)));
    progress.SetText("Converting");
    EXPECT_EQ(progress.ShownText(), "Converting");
    ui::PumpFor(200);
    ui::SaveScreenshot("skin-progress");

    // The white text is written in the middle only.
    auto whiteIn = [&](int left, int right) {
        int n = 0;
        for (int x = left; x < right; ++x)
            for (int y = 3; y < kHeight - 3; ++y) n += probe::Near(At(x, y), RGB(255, 255, 255), 40);
        return n;
    };
    EXPECT_GT(whiteIn(110, 190), 10);
    EXPECT_EQ(whiteIn(5, 60), 0);
}

TEST_F(SkinProgressTest, WithoutPicturesItPaintsPlainColours) {
    EXPECT_FALSE(progress.SetBitmaps(9990, 9991));
    progress.SetPos(50);
    EXPECT_TRUE(Shows(20, 4, RGB(62, 139, 255))) << Describe(At(20, 4));
    EXPECT_TRUE(Shows(280, 4, RGB(42, 46, 54))) << Describe(At(280, 4));
}

}  // namespace
