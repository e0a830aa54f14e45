// The trim dialog on a real recording (our encoder and AVI writer), driven
// with the real pointer and keyboard: it plays by itself half a second after
// opening, on the preview and the speakers stand-in; Pause and Stop keep the
// place; typed times and a dragged marker change the range; OK stores it,
// Cancel, Close and Escape store nothing.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <thread>
#include <vector>

#include "editing/TrimDlg.h"
#include "tests/support/fixture_paths.h"
#include "tests/support/sound_rig.h"
#include "tests/support/test_recording.h"
#include "tests/support/tone.h"
#include "tests/support/ui_helpers.h"

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255);

bool Near(COLORREF a, COLORREF b, int tolerance = 70) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

class TrimDialog : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_folder = e2e::MakeScratchFolder("trim");
        testrec::Plan plan;
        plan.positions = 250;  // ten seconds, the halves changing sides every second
        plan.swapEverySecond = true;
        s_file = s_folder + "\\ten.avi";
        ASSERT_TRUE(testrec::WriteRecording(s_file, plan));
    }
    static void TearDownTestSuite() { e2e::RemoveScratchFolder(s_folder); }

    TrimDialog() {
        ClipRecord clip;
        clip.path = s_file;
        clip.fileName = "ten.avi";
        SetClipMedia(clip, 10.0);
        clips.push_back(clip);
        context.clips = &clips;
        context.selectedIndex = 0;
        context.hasVideo = true;
        context.redrawList = [this] { ++redraws; };
    }

    // Opens a dialog on the context and waits until it is on the screen.
    std::unique_ptr<CTrimDlg> Open() {
        auto dialog = std::make_unique<CTrimDlg>(context);
        EXPECT_TRUE(dialog->Create());
        dialog->ShowWindow(SW_SHOW);
        ui::PumpFor(300);
        return dialog;
    }
    static bool ClickItem(const CTrimDlg& dialog, int id) {
        return ui::ClickWindow(dialog.GetDlgItem(id));
    }
    // Types a time into a time edit with the keyboard, from its first place.
    static bool TypeTime(const CTrimDlg& dialog, int id, const char* digits) {
        HWND edit = dialog.GetDlgItem(id);
        // Keys go to the X window of the dialog, and there to the edit clicked.
        return ui::FocusForKeys(dialog) && ui::ClickWindow(edit) && ui::Xdo("key Home") &&
               ui::Xdo(std::string("type ") + digits);
    }
    static std::string Text(const CTrimDlg& dialog, int id) {
        char text[64] = {};
        ::GetDlgItemTextA(dialog, id, text, sizeof text);
        return text;
    }
    // The colour in the middle of the preview's left half.
    static COLORREF PreviewLeft(const CTrimDlg& dialog) {
        const POINT p = ui::ClientToScreenPoint(dialog.GetDlgItem(IDC_TRIM_PREVIEW), 80, 120);
        return ui::ScreenPixel(p.x, p.y);
    }
    static bool Playing(const CTrimDlg& dialog) {
        return dialog.Playback().CurrentPlayState() == PlayState::Playing;
    }

    static std::string s_folder, s_file;
    ClipList clips;
    EditingContext context;
    int redraws = 0;
};
std::string TrimDialog::s_folder, TrimDialog::s_file;

// Answers the refusal's message box from another thread (the dialog's thread
// waits inside it), keeping its caption and text.
class MessageBoxAnswerer {
public:
    MessageBoxAnswerer()
        : m_thread([this] {
              while (!m_done) {
                  if (HWND box = ::FindWindowA("#32770", "Infomation")) {
                      char text[256] = {};
                      ::GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
                      m_texts.push_back(text);
                      ::PostMessageA(box, WM_COMMAND, IDOK, 0);
                      while (::IsWindow(box) && !m_done) ::Sleep(20);
                  }
                  ::Sleep(20);
              }
          }) {}
    ~MessageBoxAnswerer() {
        m_done = true;
        m_thread.join();
    }
    // Valid once the box has gone again.
    const std::vector<std::string>& Texts() const { return m_texts; }

private:
    std::atomic<bool> m_done{false};
    std::vector<std::string> m_texts;
    std::thread m_thread;
};

TEST_F(TrimDialog, PlaysByItselfOnThePreviewAndSpeakersAndPauseAndStopKeepThePlace) {
    const DWORD opened = ::GetTickCount();
    auto dialog = Open();
    RECT window;
    ASSERT_TRUE(::GetWindowRect(*dialog, &window));
    EXPECT_EQ(window.right - window.left, 600);
    EXPECT_EQ(window.bottom - window.top, 450);
    EXPECT_EQ(::GetWindowLongA(*dialog, GWL_STYLE) & WS_CAPTION, 0);
    HRGN shape = ::CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(::GetWindowRgn(*dialog, shape), ERROR);
    EXPECT_FALSE(::PtInRegion(shape, 0, 0));
    EXPECT_FALSE(::PtInRegion(shape, 599, 0));
    EXPECT_TRUE(::PtInRegion(shape, 0, 449));
    EXPECT_TRUE(::PtInRegion(shape, 599, 449));
    ::DeleteObject(shape);
    EXPECT_EQ(Text(*dialog, IDC_TRIM_END_TIME), "00:00:10");
    EXPECT_EQ(Text(*dialog, IDC_TRIM_LENGTH), "00:00:10");

    // Nobody pressed Play: it starts by itself, about half a second in.
    ASSERT_TRUE(ui::PumpUntil([&] { return Playing(*dialog); }, 20000)) << "it never started";
    EXPECT_GE(::GetTickCount() - opened, 450u);
    // The halves change sides every second: the preview's left half shows
    // the recording's red, then its blue.
    std::string seen;
    ui::PumpUntil(
        [&] {
            const COLORREF c = PreviewLeft(*dialog);
            const char now = Near(c, kRed) ? 'r' : Near(c, kBlue) ? 'b' : '?';
            if (now != '?' && (seen.empty() || seen.back() != now)) seen += now;
            return seen.size() >= 3;
        },
        8000);
    EXPECT_GE(seen.size(), 3u) << "preview colours seen: " << seen;
    ui::SaveScreenshot("trim-dialog-playing");

    // The recording's two tones reach the speakers stand-in: far end left,
    // microphone right.
    const std::vector<int16_t> heard = soundrig::RecordMonitor(soundrig::kSpeakersSink, 0.5);
    const size_t frameCount = heard.size() / 2;
    ASSERT_GE(frameCount, 24000u);
    EXPECT_GT(tone::WindowsWithTone(heard.data(), frameCount, 0, testrec::kFarEndHz, 4800, 0.7), 0.6);
    EXPECT_GT(tone::WindowsWithTone(heard.data(), frameCount, 1, testrec::kMicrophoneHz, 4800, 0.7), 0.6);

    // Pause keeps the place, the position marker on it.
    ASSERT_TRUE(Playing(*dialog)) << "the recording ended before Pause";
    ASSERT_TRUE(ClickItem(*dialog, IDC_TRIM_PAUSE));
    ASSERT_TRUE(ui::PumpUntil([&] { return !Playing(*dialog); }, 10000));
    const int paused = dialog->Playback().Position();
    EXPECT_GT(paused, 0);
    ui::PumpFor(600);
    EXPECT_EQ(dialog->Playback().Position(), paused);
    auto* bar = static_cast<CTrimRangeBar*>(fw::CWnd::FromHandle(dialog->GetDlgItem(IDC_TRIM_MARKERS)));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->GetPosition(), paused);

    // Play goes on from there; Stop keeps the place too.
    ASSERT_TRUE(ClickItem(*dialog, IDC_TRIM_PLAY));
    ASSERT_TRUE(ui::PumpUntil([&] { return Playing(*dialog); }, 20000));
    ASSERT_TRUE(ui::PumpUntil([&] { return dialog->Playback().Position() > paused; }, 10000));
    ASSERT_TRUE(ClickItem(*dialog, IDC_TRIM_STOP));
    ASSERT_TRUE(ui::PumpUntil([&] { return !Playing(*dialog); }, 10000));
    EXPECT_GT(dialog->Playback().Position(), paused);
    EXPECT_EQ(bar->GetPosition(), dialog->Playback().Position());

    // Close stores nothing and ends the dialog.
    ASSERT_TRUE(ClickItem(*dialog, IDC_TRIM_CLOSE));
    ASSERT_TRUE(ui::PumpUntil([&] { return !::IsWindowVisible(*dialog); }, 10000));
    EXPECT_EQ(clips[0].trimStart, 0);
    EXPECT_EQ(clips[0].trimEnd, 0);
    EXPECT_EQ(clips[0].selectedLengthText, "");
    EXPECT_EQ(redraws, 0);
}

TEST_F(TrimDialog, TypedTimesAndADraggedMarkerAreStoredByOkOnly) {
    {
        auto dialog = Open();
        MessageBoxAnswerer answerer;
        ASSERT_TRUE(TypeTime(*dialog, IDC_TRIM_START_TIME, "000003"));
        ASSERT_TRUE(ClickItem(*dialog, IDC_TRIM_START_OK));
        ASSERT_TRUE(ui::PumpUntil([&] { return dialog->Range().StartMarker() == 30; }));
        EXPECT_EQ(Text(*dialog, IDC_TRIM_START_TIME), "00:00:03");
        EXPECT_EQ(Text(*dialog, IDC_TRIM_LENGTH), "00:00:07");

        // An end before the start is refused with the message, back to the full length.
        ASSERT_TRUE(TypeTime(*dialog, IDC_TRIM_END_TIME, "000002"));
        ASSERT_TRUE(ClickItem(*dialog, IDC_TRIM_END_OK));
        ASSERT_TRUE(ui::PumpUntil([&] { return !answerer.Texts().empty(); }, 10000)) << "no message box";
        EXPECT_EQ(answerer.Texts()[0], "The start time cannot be qual to or greater than the end time!");
        EXPECT_EQ(Text(*dialog, IDC_TRIM_END_TIME), "00:00:10");

        ASSERT_TRUE(TypeTime(*dialog, IDC_TRIM_END_TIME, "000008"));
        ASSERT_TRUE(ClickItem(*dialog, IDC_TRIM_END_OK));
        ASSERT_TRUE(ui::PumpUntil([&] { return dialog->Range().EndMarker() == 80; }));
        EXPECT_EQ(Text(*dialog, IDC_TRIM_LENGTH), "00:00:05");

        // The start marker dragged right by the pointer: the start text follows.
        auto* bar = static_cast<CTrimRangeBar*>(fw::CWnd::FromHandle(dialog->GetDlgItem(IDC_TRIM_MARKERS)));
        ASSERT_NE(bar, nullptr);
        EXPECT_EQ(bar->GetStart(), 30);
        const trimbar::Box marker = bar->Model().StartMarker();
        const POINT grab = ui::ClientToScreenPoint(*bar, (marker.left + marker.right) / 2,
                                                   (marker.top + marker.bottom) / 2);
        ASSERT_TRUE(ui::MoveMouse(grab.x, grab.y) && ui::MouseDown());
        for (int dx : {10, 25, 40}) {
            ASSERT_TRUE(ui::MoveMouse(grab.x + dx, grab.y));
            ui::PumpFor(80);
        }
        ASSERT_TRUE(ui::MouseUp());
        ASSERT_TRUE(ui::PumpUntil([&] { return dialog->Range().StartMarker() > 40; }));
        ui::PumpFor(300);
        const int dragged = bar->GetStart();
        EXPECT_EQ(dialog->Range().StartMarker(), dragged);
        EXPECT_EQ(Text(*dialog, IDC_TRIM_START_TIME), trim::FormatTime(dragged / 10.0));
        EXPECT_EQ(Text(*dialog, IDC_TRIM_LENGTH), trim::FormatTime(8 - dragged / 10.0));

        // Reset goes back to what the record holds; Escape stores nothing.
        ASSERT_TRUE(ClickItem(*dialog, IDC_TRIM_RESET));
        ASSERT_TRUE(ui::PumpUntil([&] { return Text(*dialog, IDC_TRIM_START_TIME) == "00:00:00"; }));
        EXPECT_EQ(Text(*dialog, IDC_TRIM_END_TIME), "00:00:10");
        EXPECT_EQ(bar->GetEnd(), 100);
        ASSERT_TRUE(TypeTime(*dialog, IDC_TRIM_START_TIME, "000004"));
        ASSERT_TRUE(ClickItem(*dialog, IDC_TRIM_START_OK));
        ASSERT_TRUE(ui::PumpUntil([&] { return dialog->Range().StartMarker() == 40; }));
        ASSERT_TRUE(ui::FocusForKeys(*dialog) && ui::Xdo("key Escape"));
        ASSERT_TRUE(ui::PumpUntil([&] { return !::IsWindowVisible(*dialog); }, 10000)) << "Escape did not close it";
        EXPECT_EQ(clips[0].startFraction, 0);
        EXPECT_EQ(redraws, 0);
    }
    {
        auto dialog = Open();
        EXPECT_EQ(Text(*dialog, IDC_TRIM_START_TIME), "00:00:00");
        ASSERT_TRUE(TypeTime(*dialog, IDC_TRIM_START_TIME, "000005"));
        ASSERT_TRUE(ClickItem(*dialog, IDC_TRIM_START_OK));
        ASSERT_TRUE(ui::PumpUntil([&] { return dialog->Range().StartMarker() == 50; }));
        ASSERT_TRUE(ClickItem(*dialog, IDOK));
        ASSERT_TRUE(ui::PumpUntil([&] { return !::IsWindowVisible(*dialog); }, 10000));
        EXPECT_EQ(clips[0].trimStart, 5000);
        EXPECT_EQ(clips[0].trimEnd, 10000);
        EXPECT_EQ(clips[0].selectedLengthText, "00:00:05");
        EXPECT_EQ(redraws, 1);
    }
    // Opened again, it shows what OK stored.
    auto dialog = Open();
    EXPECT_EQ(Text(*dialog, IDC_TRIM_START_TIME), "00:00:05");
    EXPECT_EQ(Text(*dialog, IDC_TRIM_LENGTH), "00:00:05");
    auto* bar = static_cast<CTrimRangeBar*>(fw::CWnd::FromHandle(dialog->GetDlgItem(IDC_TRIM_MARKERS)));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->GetStart(), 50);
}

TEST_F(TrimDialog, ARecordingOfUnknownLengthRefusesTypedTimesQuietly) {
    clips[0] = ClipRecord{};  // listed, its file not read yet
    clips[0].path = s_file;
    clips[0].durationText = "00:00:00";
    auto dialog = Open();
    ASSERT_TRUE(TypeTime(*dialog, IDC_TRIM_END_TIME, "000007"));
    ASSERT_TRUE(ClickItem(*dialog, IDC_TRIM_END_OK));
    ui::PumpFor(500);
    EXPECT_EQ(::FindWindowA("#32770", "Infomation"), nullptr);
    EXPECT_EQ(Text(*dialog, IDC_TRIM_END_TIME), "00:00:00");
    EXPECT_EQ(dialog->Range().endFraction, 0);
    ASSERT_TRUE(ClickItem(*dialog, IDOK));
    ASSERT_TRUE(ui::PumpUntil([&] { return !::IsWindowVisible(*dialog); }, 10000));
    EXPECT_EQ(clips[0].trimEnd, 0);
}

}  // namespace
