// The crop and effects dialogs on a real recording, driven with the real
// pointer: each starts playing by itself, what the pointer changes shows in
// the preview at once (read back from the screen), OK stores into the record
// and the main window's settings, Cancel and Close store nothing.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "editing/CropDlg.h"
#include "editing/EditFile.h"
#include "editing/EffectDlg.h"
#include "tests/support/fixture_paths.h"
#include "tests/support/host_command.h"
#include "tests/support/process_helpers.h"
#include "tests/support/ui_helpers.h"

namespace {

class EditFxDialogs : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_folder = e2e::MakeScratchFolder("editfx");
        // Mid gray (luma 126) with a tone: every preview pixel tells what the
        // filter did to it.
        s_file = s_folder + "\\gray.avi";
        const auto made = hostcmd::Run(
            "ffmpeg -y -loglevel error -f lavfi -i color=c=0x808080:size=320x240:rate=25 -f lavfi "
            "-i sine=frequency=440:sample_rate=48000 -t 20 -c:v msmpeg4v3 -q:v 2 -c:a pcm_s16le -ac 2 " +
            hostcmd::ShellQuote(hostcmd::HostPath(s_file)));
        ASSERT_TRUE(made.finished && made.exitCode == 0) << made.output;
    }
    static void TearDownTestSuite() { e2e::RemoveScratchFolder(s_folder); }

    void SetUp() override {
        ClipRecord clip;
        SetClipMedia(clip, 20.0);
        clip.path = s_file;
        clips.push_back(clip);
        context.clips = &clips;
        context.selectedIndex = 0;
        context.sourceWidth = 320;
        context.sourceHeight = 240;
        context.hasVideo = true;
        context.settings = &settings;
    }

    static PlayState StateOf(const CEditingFrame& dialog) { return dialog.Playback().CurrentPlayState(); }

    // Opens the dialog modeless (the test thread runs its messages) and
    // checks it starts playing by itself, not at once.
    template <typename Dialog>
    void Open(Dialog& dialog, bool expectPlaying = true) {
        ASSERT_TRUE(dialog.Create());
        dialog.ShowWindow(SW_SHOW);
        ui::PumpFor(150);
        EXPECT_NE(StateOf(dialog), PlayState::Playing) << "played before the automatic start";
        if (expectPlaying) {
            ASSERT_TRUE(ui::PumpUntil([&] { return StateOf(dialog) == PlayState::Playing; }, 20000))
                << "the dialog did not start playing by itself";
        }
    }

    // Brightness of a preview pixel as the user sees it (grid coordinates).
    static int Preview(HWND dialog, int x, int y) {
        const POINT at = ui::ClientToScreenPoint(dialog, 14 + x, 51 + y);
        const COLORREF c = ui::ScreenPixel(at.x, at.y);
        return (GetRValue(c) + GetGValue(c) + GetBValue(c)) / 3;
    }
    static bool WaitPreview(HWND dialog, int x, int y, int low, int high) {
        return ui::PumpUntil([&] {
            const int v = Preview(dialog, x, y);
            return v >= low && v <= high;
        }, 10000);
    }

    // A drag with the real pointer between two dialog client points, made by
    // one xdotool run while this thread pumps: a press that starts the
    // system's window-move loop returns only after the release.
    static void Drag(HWND dialog, POINT from, POINT to) {
        const POINT a = ui::ClientToScreenPoint(dialog, from.x, from.y);
        const POINT b = ui::ClientToScreenPoint(dialog, to.x, to.y);
        std::string moves = "mousemove --sync " + std::to_string(a.x) + " " + std::to_string(a.y) +
                            " sleep 0.2 mousedown 1 sleep 0.2";
        for (int step = 1; step <= 4; ++step)
            moves += " mousemove --sync " + std::to_string(a.x + (b.x - a.x) * step / 4) + " " +
                     std::to_string(a.y + (b.y - a.y) * step / 4) + " sleep 0.1";
        ASSERT_TRUE(ui::Xdo(moves + " mouseup 1"));
        ui::PumpFor(200);
    }

    static void ClickAndWaitClosed(fw::CDialog& dialog, int id) {
        ASSERT_TRUE(ui::ClickWindow(dialog.GetDlgItem(id)));
        EXPECT_TRUE(ui::PumpUntil([&] { return !::IsWindowVisible(dialog); }, 10000)) << "button " << id;
    }

    static std::string s_folder, s_file;
    ClipList clips;
    EditSettings settings;
    EditingContext context;
};
std::string EditFxDialogs::s_folder, EditFxDialogs::s_file;

std::string Text(HWND dialog, int id) {
    char text[32] = {};
    ::GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

TEST_F(EditFxDialogs, CropHighlightFollowsTheDraggedEdgeAndOnlyOkStores) {
    clips[0].edits.cropMode = 1;
    clips[0].edits.cropLeft = 40, clips[0].edits.cropTop = 30;
    clips[0].edits.cropRight = 280, clips[0].edits.cropBottom = 210;
    {
        CCropDlg dialog(context);
        Open(dialog);
        // Half luma outside, the picture inside, white on the border.
        EXPECT_TRUE(WaitPreview(dialog, 160, 120, 115, 140)) << Preview(dialog, 160, 120);
        EXPECT_TRUE(WaitPreview(dialog, 20, 120, 40, 75)) << Preview(dialog, 20, 120);
        EXPECT_TRUE(WaitPreview(dialog, 40, 120, 235, 255)) << Preview(dialog, 40, 120);
        EXPECT_EQ(Text(dialog, IDC_CROP_LEFT), "40");
        ui::SaveScreenshot("crop-dialog-playing");

        // The left edge dragged 60 to the right; the worker shows it at once.
        Drag(dialog, {14 + 40, 51 + 120}, {14 + 100, 51 + 120});
        EXPECT_EQ(dialog.CropRect(), (crop::Rect{100, 30, 280, 210}));
        EXPECT_EQ(Text(dialog, IDC_CROP_LEFT), "100");
        EXPECT_TRUE(WaitPreview(dialog, 70, 120, 40, 75)) << Preview(dialog, 70, 120);
        EXPECT_EQ(StateOf(dialog), PlayState::Playing);
        ui::SaveScreenshot("crop-dialog-dragged");

        // A press off the rectangle drags the window instead.
        RECT before, after;
        ::GetWindowRect(dialog, &before);
        Drag(dialog, {500, 20}, {530, 40});
        ::GetWindowRect(dialog, &after);
        EXPECT_EQ(after.left - before.left, 30);
        EXPECT_EQ(dialog.CropRect().left, 100);

        // Another window taking the mouse mid-drag ends the drag: the
        // rectangle stays when the pointer moves on with the button up.
        const POINT edge = ui::ClientToScreenPoint(dialog, 14 + 190, 51 + 210);
        ASSERT_TRUE(ui::MoveMouse(edge.x, edge.y) && ui::MouseDown());
        ASSERT_TRUE(ui::MoveMouse(edge.x, edge.y - 20));
        ASSERT_TRUE(ui::PumpUntil([&] { return dialog.CropRect().bottom < 210; }));
        const crop::Rect cut = dialog.CropRect();
        {
            fw::OwnedWindow taker = ui::TakeMouseCapture(dialog);
            ASSERT_TRUE(taker);
            ASSERT_TRUE(ui::MouseUp());
            ui::PumpFor(200);
        }
        ASSERT_TRUE(ui::MoveMouse(edge.x, edge.y - 60));
        ui::PumpFor(300);
        EXPECT_EQ(dialog.CropRect(), cut) << "the rectangle followed a pointer whose button is up";
        ClickAndWaitClosed(dialog, IDOK);
    }
    EXPECT_EQ(clips[0].edits.cropLeft, 100);
    EXPECT_EQ(clips[0].edits.cropMode, 1);
    EXPECT_EQ(settings.cropLeft, 100);
    EXPECT_EQ(settings.cropMode, 1);

    // Opened again it shows what was stored; a changed edge goes with Cancel and Close.
    for (int way : {IDCANCEL, IDC_CROP_CLOSE}) {
        CCropDlg dialog(context);
        Open(dialog);
        EXPECT_EQ(Text(dialog, IDC_CROP_LEFT), "100");
        EXPECT_EQ(::SendDlgItemMessageA(dialog, IDC_CROP_MODE_LIST, CB_GETCURSEL, 0, 0), 1);
        Drag(dialog, {14 + 160, 51 + 30}, {14 + 160, 51 + 100});
        EXPECT_EQ(dialog.CropRect().top, 100);
        ClickAndWaitClosed(dialog, way);
    }
    EXPECT_EQ(clips[0].edits.cropTop, 30);
    EXPECT_EQ(settings.cropTop, 30);
}

TEST_F(EditFxDialogs, CropDialogWithoutASourceSizeTakesUpDownStepsWithoutDividing) {
    context.sourceWidth = 0;
    context.sourceHeight = 0;
    CCropDlg dialog(context);
    Open(dialog, false);
    EXPECT_EQ(Text(dialog, IDC_CROP_RIGHT), "0");
    RECT spin;
    ::GetWindowRect(dialog.GetDlgItem(IDC_CROP_RIGHT_SPIN), &spin);
    ASSERT_TRUE(ui::Click((spin.left + spin.right) / 2, spin.top + 3));
    ui::PumpFor(300);
    EXPECT_EQ(dialog.CropRect(), crop::Rect{});
    ClickAndWaitClosed(dialog, IDOK);
}

TEST_F(EditFxDialogs, EffectSlidersChangeThePictureAtOnceAndOnlyOkStores) {
    {
        CEffectDlg dialog(context);
        ASSERT_TRUE(dialog.Create());
        // Closing waits for the worker to play.
        EXPECT_FALSE(::IsWindowEnabled(dialog.GetDlgItem(IDOK)));
        EXPECT_FALSE(::IsWindowEnabled(dialog.GetDlgItem(IDC_EFFECT_CLOSE)));
        ::DestroyWindow(dialog);
    }
    {
        CEffectDlg dialog(context);
        Open(dialog);
        EXPECT_TRUE(ui::PumpUntil([&] { return ::IsWindowEnabled(dialog.GetDlgItem(IDCANCEL)) != FALSE; }));
        EXPECT_TRUE(WaitPreview(dialog, 160, 120, 115, 140)) << Preview(dialog, 160, 120);

        // The brightness thumb dragged to the right: a brighter picture while it plays.
        RECT thumb{};
        HWND bar = dialog.GetDlgItem(IDC_EFFECT_BRIGHTNESS);
        ::SendMessageA(bar, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
        POINT from{(thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2};
        ::MapWindowPoints(bar, dialog, &from, 1);
        Drag(dialog, from, {from.x + 70, from.y});
        const int brightness = dialog.Picture().brightness;
        EXPECT_GT(brightness, 30);
        EXPECT_TRUE(WaitPreview(dialog, 160, 120, 126 + brightness - 12, 126 + brightness + 25))
            << Preview(dialog, 160, 120) << " at brightness " << brightness;
        ui::SaveScreenshot("effect-dialog-playing");
        ClickAndWaitClosed(dialog, IDOK);
        EXPECT_EQ(clips[0].edits.brightness, brightness);
        EXPECT_EQ(settings.brightness, brightness);
    }
    for (int way : {IDCANCEL, IDC_EFFECT_CLOSE}) {
        CEffectDlg dialog(context);
        Open(dialog);
        EXPECT_EQ(::SendDlgItemMessageA(dialog, IDC_EFFECT_BRIGHTNESS, TBM_GETPOS, 0, 0), clips[0].edits.brightness + 100);
        ASSERT_TRUE(ui::PumpUntil([&] { return ::IsWindowEnabled(dialog.GetDlgItem(way)) != FALSE; }));
        ASSERT_TRUE(ui::ClickWindow(dialog.GetDlgItem(IDC_EFFECT_RESET)));
        ASSERT_TRUE(ui::PumpUntil([&] { return dialog.Picture().brightness == 0; }, 5000));
        ClickAndWaitClosed(dialog, way);
    }
    EXPECT_NE(clips[0].edits.brightness, 0);
    EXPECT_EQ(clips[0].edits.volume, 100);
}

TEST_F(EditFxDialogs, EffectDialogOnAFileThatCannotPlayCanStillBeClosed) {
    clips[0].path = s_folder + "\\missing.avi";
    clips[0].edits.brightness = 40;
    CEffectDlg dialog(context);
    Open(dialog, false);
    EXPECT_TRUE(ui::PumpUntil([&] { return ::IsWindowEnabled(dialog.GetDlgItem(IDC_EFFECT_CLOSE)) != FALSE; }))
        << "the dialog cannot be closed";
    EXPECT_TRUE(::IsWindowEnabled(dialog.GetDlgItem(IDOK)));
    // Escape never reaches it.
    ASSERT_TRUE(ui::FocusForKeys(dialog));
    ASSERT_TRUE(ui::Xdo("key Escape"));
    ui::PumpFor(300);
    EXPECT_TRUE(::IsWindowVisible(dialog));
    ClickAndWaitClosed(dialog, IDC_EFFECT_CLOSE);
    EXPECT_EQ(settings.brightness, 0);
}

// What the effects dialog shows is what ClipForge writes: the preview's first
// picture, read from the screen, against the MP4's, converted with the same
// values from the edit file.
TEST_F(EditFxDialogs, ThePreviewedEffectsAreWhatTheMp4Holds) {
    const std::string avi = s_folder + "\\pattern.avi", mp4 = s_folder + "\\pattern.mp4";
    const auto made = hostcmd::Run(
        "ffmpeg -y -loglevel error -f lavfi -i testsrc2=size=320x240:rate=25 -f lavfi "
        "-i sine=frequency=440:sample_rate=48000 -t 4 -c:v msmpeg4v3 -q:v 2 -c:a pcm_s16le -ac 2 " +
        hostcmd::ShellQuote(hostcmd::HostPath(avi)));
    ASSERT_TRUE(made.finished && made.exitCode == 0) << made.output;
    clips[0].path = avi;
    EditSettings& values = clips[0].edits;
    values.brightness = 30, values.contrast = 140, values.saturation = -60;

    std::vector<COLORREF> shown;
    {
        CEffectDlg dialog(context);
        Open(dialog);
        ASSERT_TRUE(ui::ClickWindow(dialog.GetDlgItem(IDC_EFFECT_STOP)));
        ASSERT_TRUE(ui::PumpUntil([&] { return StateOf(dialog) != PlayState::Playing; }, 10000));
        ui::PumpFor(500);  // the first picture drawn again
        const POINT at = ui::ClientToScreenPoint(dialog, 14, 51);
        shown = ui::ScreenPixels(at.x, at.y, 320, 240);
        ui::SaveScreenshot("effect-dialog-stopped");
        ClickAndWaitClosed(dialog, IDCANCEL);
    }
    ASSERT_EQ(shown.size(), 320u * 240u);
    std::ofstream ppm(s_folder + "\\preview.ppm", std::ios::binary);
    ppm << "P6\n320 240\n255\n";
    for (COLORREF c : shown) ppm << char(GetRValue(c)) << char(GetGValue(c)) << char(GetBValue(c));
    ppm.close();

    editfile::RecordingEdits edits;
    edits.brightness = values.brightness, edits.contrast = values.contrast, edits.saturation = values.saturation;
    std::ofstream(editfile::PathFor(avi), std::ios::binary) << editfile::Format(edits);
    e2e::ChildProcess converter = e2e::ChildProcess::Start(
        "\"" + e2e::ProgramFolder() + "\\ClipForge.exe\" --convert \"" + avi + "\" --force", s_folder);
    DWORD code = 999;
    ASSERT_TRUE(converter.WaitForExit(120000, &code));
    ASSERT_EQ(code, 0u);

    // The screen shows the overlay's 4:2:0 samples as full-range BT.601
    // (SDL's own conversion): read back so, they are the picture the filter
    // made. Matched against the first pictures of a file, the best one is the
    // picture of the same time (Stop's picture is a few in: the clock shows it).
    const std::string yuv = hostcmd::ShellQuote(hostcmd::HostPath(s_folder + "\\preview.yuv"));
    const auto back = hostcmd::Run("ffmpeg -v error -y -i " +
                                   hostcmd::ShellQuote(hostcmd::HostPath(s_folder + "\\preview.ppm")) +
                                   " -vf 'scale=out_color_matrix=bt601:out_range=full,format=yuv420p' -f rawvideo " + yuv);
    ASSERT_TRUE(back.finished && back.exitCode == 0) << back.output;
    const auto bestPsnr = [&](const std::string& file) {
        const auto r = hostcmd::Run(
            "ffmpeg -nostdin -hide_banner -f rawvideo -pix_fmt yuv420p -s 320x240 -i " + yuv + " -i " +
            hostcmd::ShellQuote(hostcmd::HostPath(file)) +
            " -lavfi '[0:v]loop=loop=-1:size=1[a];[1:v]trim=end_frame=10,scale=320:240,format=yuv420p[b];"
            "[a][b]psnr=shortest=1:stats_file=-' -f null - 2>/dev/null | sed -n 's/.*psnr_avg:\\([0-9.]*\\).*/\\1/p'");
        double best = 0;
        std::istringstream lines(r.output);
        for (std::string line; std::getline(lines, line);) best = std::max(best, std::atof(line.c_str()));
        return best;
    };
    const double withEdits = bestPsnr(mp4), unfiltered = bestPsnr(avi);
    std::printf("preview against the MP4: PSNR %.1f dB; against the unfiltered recording: %.1f dB\n", withEdits,
                unfiltered);
    EXPECT_GE(withEdits, 30.0) << "the MP4 is not what the preview showed";
    // Unfiltered, no picture comes near: the effects are what agrees.
    EXPECT_LT(unfiltered, 25.0) << "the effects change too little to tell";
}

}  // namespace

