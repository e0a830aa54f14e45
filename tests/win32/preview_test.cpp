// The preview player on real parts: files made by the host's ffmpeg, played
// through the SDL surface, DirectSound and the decoder, paced by the sound
// buffer; the picture read back from the screen, the sound from the speakers
// stand-in's monitor.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <mutex>
#include <vector>

#include "playback/PreviewPlayer.h"
#include "playback/PreviewSurface.h"
#include "tests/support/fixture_paths.h"
#include "tests/support/host_command.h"
#include "tests/support/process_helpers.h"
#include "tests/support/sound_rig.h"
#include "tests/support/tone.h"
#include "tests/support/ui_helpers.h"

namespace {

class Preview : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_folder = e2e::MakeScratchFolder("preview"); }
    static void TearDownTestSuite() { e2e::RemoveScratchFolder(s_folder); }

    // An AVI of MP43 pictures (and a 1 kHz tone unless `withSound` is false)
    // made by the host's ffmpeg from a lavfi picture source.
    static std::string MakeFile(const std::string& name, const std::string& picture,
                                double seconds, bool withSound = true, bool withPicture = true) {
        const std::string path = s_folder + "\\" + name;
        std::string command = "ffmpeg -y -loglevel error";
        if (withPicture) command += " -f lavfi -i " + hostcmd::ShellQuote(picture);
        if (withSound) command += " -f lavfi -i sine=frequency=1000:sample_rate=48000";
        command += " -t " + std::to_string(seconds);
        if (withPicture) command += " -c:v msmpeg4v3 -q:v 3";
        if (withSound) command += " -c:a pcm_s16le -ac 2";
        command += " " + hostcmd::ShellQuote(hostcmd::HostPath(path));
        const auto result = hostcmd::Run(command);
        EXPECT_TRUE(result.finished && result.exitCode == 0) << command << "\n" << result.output;
        return path;
    }

    struct ProbeRun {
        DWORD exitCode = 99;
        std::string output;
        int ticks = -1;
        double rate = -1;
        int percent = -1;
    };

    // preview_probe.exe with its standard output in a file of its own: an
    // ended child's handle may still hold the previous file for a moment.
    static ProbeRun RunProbe(const std::string& arguments) {
        static int runs = 0;
        const std::string outPath = s_folder + "\\probe" + std::to_string(++runs) + ".txt";
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        HANDLE out = ::CreateFileA(outPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                   CREATE_NEW, 0, nullptr);
        EXPECT_NE(out, INVALID_HANDLE_VALUE) << outPath;
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = out;
        startup.hStdError = out;
        PROCESS_INFORMATION process{};
        std::string command =
            "\"" + e2e::ProgramFolder() + "\\..\\probes\\preview_probe.exe\" " + arguments;
        ProbeRun run;
        if (::CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                             &startup, &process)) {
            ::WaitForSingleObject(process.hProcess, 120000);
            ::GetExitCodeProcess(process.hProcess, &run.exitCode);
            ::CloseHandle(process.hThread);
            ::CloseHandle(process.hProcess);
        }
        ::CloseHandle(out);
        std::ifstream in(outPath);
        run.output.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        std::sscanf(run.output.c_str(), "ticks %d rate %lf percent %d", &run.ticks, &run.rate,
                    &run.percent);
        return run;
    }

    static std::string s_folder;
};
std::string Preview::s_folder;

// A 320 × 240 window at (100, 100) with the preview control filling it, a
// surface on it and a player whose slider moves are kept.
struct PreviewWindow {
    HWND window = nullptr, control = nullptr;
    CPreviewSurface surface;
    std::mutex lock;
    std::vector<int> sliderMoves;
    std::unique_ptr<CPreviewPlayer> player;

    PreviewWindow(const std::string& file, int width, int height) {
        window = ::CreateWindowExA(WS_EX_TOPMOST, "STATIC", "Preview test", WS_POPUP | WS_VISIBLE,
                                   100, 100, 320, 240, nullptr, nullptr, nullptr, nullptr);
        control = ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_BLACKRECT, 0, 0,
                                    320, 240, window, nullptr, nullptr, nullptr);
        ui::PumpFor(200);
        surface.Create(control, width, height, 320, 240);
        PreviewHooks hooks;
        hooks.previewWindow = control;
        hooks.surface = &surface;
        hooks.moveSlider = [this](int percent) {
            std::lock_guard<std::mutex> hold(lock);
            sliderMoves.push_back(percent);
        };
        player = std::make_unique<CPreviewPlayer>(hooks);
        player->Select(0, file, width, height, true);
    }
    ~PreviewWindow() {
        player.reset();
        surface.Destroy();
        ::DestroyWindow(window);
    }
    std::vector<int> Moves() {
        std::lock_guard<std::mutex> hold(lock);
        return sliderMoves;
    }
    bool WaitForPlaying() {
        return ui::PumpUntil([&] { return player->CurrentPlayState() == PlayState::Playing; }, 20000);
    }
};

TEST_F(Preview, TheSoundBufferTicksOncePerPictureAtTheFilesRate) {
    struct Case {
        const char* name;
        const char* rate;
        double expected;
    } cases[] = {{"r25.avi", "25", 25}, {"r2997.avi", "30000/1001", 30}, {"r120.avi", "120", 24}};
    for (const Case& c : cases) {
        const std::string file =
            MakeFile(c.name, std::string("testsrc=size=320x240:rate=") + c.rate, 6);
        const ProbeRun run = RunProbe("--seconds 4 \"" + file + "\"");
        EXPECT_EQ(run.exitCode, 0u) << c.name << ": " << run.output;
        // A worker held up on a busy machine misses notifications, so ticks
        // can only fall short of the clock: tight above, generous below.
        EXPECT_LE(run.rate, c.expected * 1.04) << c.name << ": " << run.output;
        EXPECT_GE(run.rate, c.expected * 0.88) << c.name << ": " << run.output;
    }
    // Sound only: one-second segments, the slider counting 24 ticks a second.
    const std::string sound = MakeFile("sound.avi", "", 20, true, false);
    const ProbeRun run = RunProbe("--seconds 5 \"" + sound + "\"");
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_LE(run.rate, 1.04) << run.output;
    EXPECT_GE(run.rate, 0.8) << run.output;
    // 5 or 6 ticks of 20 × 24 = 480: about 1 percent.
    EXPECT_LE(run.percent, 2) << run.output;
}

TEST_F(Preview, AFileThatCannotBePlayedIsRefusedAndLeavesThePlayerIdle) {
    const ProbeRun missing = RunProbe("\"" + s_folder + "\\missing.avi\"");
    EXPECT_EQ(missing.exitCode, 1u) << missing.output;
    EXPECT_NE(missing.output.find("error"), std::string::npos) << missing.output;

    // Larger than any preview buffer holds: refused, not written past.
    const std::string huge = MakeFile("huge.avi", "color=c=red:size=2560x1600:rate=25", 1, false);
    const ProbeRun big = RunProbe("\"" + huge + "\"");
    EXPECT_EQ(big.exitCode, 1u) << big.output;

    // Directly: the worker ends without playing and Play works again after.
    const std::string good = MakeFile("good.avi", "color=c=red:size=320x240:rate=25", 2);
    PreviewWindow preview(s_folder + "\\gone.avi", 320, 240);
    preview.player->Play();
    ASSERT_TRUE(preview.player->WaitForEnd(20000));
    EXPECT_EQ(preview.player->CurrentPlayState(), PlayState::Idle);
    EXPECT_EQ(preview.player->Ticks(), 0);
    preview.player->Select(0, good, 320, 240, true);
    preview.player->Play();
    EXPECT_TRUE(preview.WaitForPlaying());
}

TEST_F(Preview, PlaysFromTheMiddleToTheLastPictureWithPauseStopAndTheSliderInside) {
    // 100 pictures.
    const std::string file = MakeFile("hundred.avi", "testsrc=size=320x240:rate=25", 4);
    PreviewWindow preview(file, 320, 240);
    preview.player->SetPosition(50);
    preview.player->Play();
    ASSERT_TRUE(preview.WaitForPlaying());
    // Ends by itself at the last picture.
    ASSERT_TRUE(preview.player->WaitForEnd(20000)) << "the player kept ticking past the end";
    EXPECT_EQ(preview.player->CurrentPlayState(), PlayState::Idle);
    std::vector<int> moves = preview.Moves();
    ASSERT_FALSE(moves.empty());
    EXPECT_EQ(moves.front(), 51);
    for (int percent : moves) {
        EXPECT_GT(percent, 0);
        EXPECT_LT(percent, 100);
    }

    // Pause keeps the place, Play goes on from it; Stop goes back to 0.
    preview.player->SetPosition(10);
    preview.player->Play();
    ASSERT_TRUE(preview.WaitForPlaying());
    ASSERT_TRUE(ui::PumpUntil([&] { return preview.player->Position() >= 20; }, 20000));
    preview.player->Pause();
    const int paused = preview.player->Position();
    EXPECT_EQ(preview.player->CurrentPlayState(), PlayState::Idle);
    {
        std::lock_guard<std::mutex> hold(preview.lock);
        preview.sliderMoves.clear();
    }
    preview.player->Play();
    ASSERT_TRUE(preview.WaitForPlaying());
    ASSERT_TRUE(ui::PumpUntil([&] { return !preview.Moves().empty(); }, 20000));
    EXPECT_EQ(preview.Moves().front(), paused + 1);
    preview.player->Stop();
    EXPECT_EQ(preview.player->Position(), 0);
    EXPECT_EQ(preview.Moves().back(), 0);
}

// The middle of the top and of the bottom band of the preview control.
COLORREF TopPixel() { return ui::ScreenPixel(260, 130); }
COLORREF BottomPixel() { return ui::ScreenPixel(260, 330); }

char Dominant(COLORREF c) {
    const int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
    if (r > 150 && g < 90 && b < 90) return 'r';
    if (g > 150 && r < 90 && b < 90) return 'g';
    if (b > 150 && r < 90 && g < 90) return 'b';
    return '?';
}

TEST_F(Preview, ShowsTheFilesPicturesScaledOnTheControlAndPlaysItsSound) {
    // 640 × 480: a second each of red, green and blue, with the tone.
    const std::string file = MakeFile(
        "colours.avi",
        "color=c=red:size=640x480:rate=25:d=1[a];color=c=0x00ff00:size=640x480:rate=25:d=1[b];"
        "color=c=blue:size=640x480:rate=25:d=1.5[c];[a][b][c]concat=n=3",
        3.5);
    PreviewWindow preview(file, 640, 480);
    preview.player->Play();
    ASSERT_TRUE(preview.WaitForPlaying());

    std::string seen;
    bool bottomMatched = true;
    const DWORD start = ::GetTickCount();
    while (preview.player->Running() && ::GetTickCount() - start < 15000) {
        const char top = Dominant(TopPixel());
        // All 480 source rows reach the surface: the bottom band matches.
        if (top != '?' && Dominant(BottomPixel()) != top && Dominant(BottomPixel()) != '?')
            bottomMatched = false;
        if (top != '?' && (seen.empty() || seen.back() != top)) {
            seen += top;
            if (top == 'b') ui::SaveScreenshot("preview-scaled-blue");
        }
        ui::PumpFor(40);
    }
    EXPECT_NE(seen.find("rgb"), std::string::npos) << "colours seen: " << seen;
    EXPECT_TRUE(bottomMatched);

    // Again from the start, listening this time.
    ASSERT_TRUE(preview.player->WaitForEnd(20000));
    preview.player->SetPosition(0);
    preview.player->Play();
    ASSERT_TRUE(preview.WaitForPlaying());
    // The speakers stand-in's monitor for one second: starting the recorder
    // takes a while on a busy machine, and the file ends 3.5 s in.
    const std::vector<int16_t> heard = soundrig::RecordMonitor(soundrig::kSpeakersSink, 1.0);
    const int16_t* frames = heard.data();
    const size_t frameCount = heard.size() / 2;
    ASSERT_GE(frameCount, 48000u);
    // The monitor's first window opens with some 25 ms of silence from before
    // the capture started; it is left out. One gap in the other nine passes.
    constexpr size_t kWindow = 4800;
    EXPECT_GT(tone::WindowsWithTone(frames + kWindow * 2, frameCount - kWindow, 0, 1000.0, kWindow, 0.8), 0.8)
        << "the file's tone was not heard on the speakers";
}

}  // namespace
