// The recording worker end to end under Wine: a window of known, changing
// colours recorded and read back with the host's ffprobe and ffmpeg.
#include <windows.h>

#include <gtest/gtest.h>
#include <mmsystem.h>

#include <cstring>

#include "engine/Messages.h"
#include "engine/OutputPath.h"
#include "engine/RecordParams.h"
#include "engine/RecordState.h"
#include "framework/ProgramFolder.h"
#include "tests/support/host_command.h"
#include "tests/support/process_helpers.h"
#include "tests/win32/colour_window.h"
#include "tests/win32/recording_harness.h"
#include "tests/support/ui_helpers.h"

namespace {

const std::vector<COLORREF> kPalette = {RGB(255, 0, 0),   RGB(0, 255, 0),   RGB(0, 0, 255),
                                        RGB(255, 255, 0), RGB(255, 0, 255), RGB(0, 255, 255)};
constexpr DWORD kPeriodMs = 400;
constexpr RECT kRect = {100, 100, 741, 581};  // 641 x 481 on the screen

bool Near(const uint8_t* rgb, COLORREF c, int tolerance = 40) {
    return std::abs(rgb[0] - GetRValue(c)) <= tolerance && std::abs(rgb[1] - GetGValue(c)) <= tolerance &&
           std::abs(rgb[2] - GetBValue(c)) <= tolerance;
}

int DarkPixels(const std::vector<uint8_t>& frame, int width, int cx, int cy, int half) {
    int dark = 0;
    for (int y = cy - half; y < cy + half; ++y)
        for (int x = cx - half; x < cx + half; ++x) {
            const uint8_t* p = &frame[(static_cast<size_t>(y) * width + x) * 3];
            dark += p[0] < 70 && p[1] < 70 && p[2] < 70;
        }
    return dark;
}

// Each harness records with a fresh session: default parameters, the screen measured.
class RecordTest : public ::testing::Test {};

TEST_F(RecordTest, AChangingWindowIsRecordedWithItsColoursAtTheRightTimesAndTheCursor) {
    ColourWindow window(kRect, kPalette, kPeriodMs, IDC_CROSS);
    RecordingHarness harness;
    ASSERT_TRUE(harness.WatchCursor());
    // The pointer over the window, at (300, 200) of the recorded picture.
    hostcmd::Run("xdotool mousemove 400 300 sleep 0.1 mousemove 401 300 sleep 0.1 mousemove 400 300");
    ui::PumpFor(300);

    ASSERT_TRUE(harness.Record({kRect.left, kRect.top, kRect.right - 1, kRect.bottom - 1},
                               "changing.avi", 3.0));
    ASSERT_TRUE(harness.videoStarted);
    EXPECT_EQ(harness.endMessage, WM_USER_GENERIC_MSG);
    const std::string file = harness.Folder() + "\\changing.avi";
    ASSERT_EQ(FilesIn(harness.Folder(), "*.avi"), std::vector<std::string>{"changing.avi"});

    EXPECT_EQ(Probe(file, "v", "stream=codec_name,codec_tag_string,width,height,r_frame_rate"),
              "msmpeg4v3,MP43,640,480,25/1");
    // No audio reached the rings: the audio stream is there, and empty.
    EXPECT_EQ(Probe(file, "a", "stream=codec_name,sample_rate,channels,bits_per_sample"),
              "pcm_s16le,48000,2,16");
    EXPECT_TRUE(DecodeAudio(file).empty());

    // The timeline is as long as the recording was.
    const int positions = std::atoi(Probe(file, "v", "stream=nb_frames").c_str());
    const int wallClock = static_cast<int>((harness.stoppedAt - harness.firstFrameAt) / 40);
    EXPECT_NEAR(positions, wallClock, 13) << "positions " << positions;

    const std::vector<long> at = PacketPositions(file);
    const auto frames = DecodeFrames(file, 640, 480);
    ASSERT_EQ(frames.size(), at.size());
    ASSERT_GE(frames.size(), 40u);
    int checked = 0, wrong = 0, withCursor = 0;
    std::vector<COLORREF> seen;
    for (size_t i = 0; i < frames.size(); ++i) {
        // Position p was grabbed from its start on; the window shows a new
        // colour a little after its time. Only frames well inside one
        // colour's time are judged.
        const DWORD t = harness.firstFrameAt + static_cast<DWORD>(at[i]) * 40;
        if (window.SlotAt(t - 30) == window.SlotAt(t + 90)) {
            ++checked;
            const COLORREF expected = window.ColourAt(t);
            if (!Near(&frames[i][(40 * 640 + 40) * 3], expected)) ++wrong;
            if (seen.empty() || seen.back() != expected) seen.push_back(expected);
        }
        withCursor += DarkPixels(frames[i], 640, 300, 200, 16) > 10;
        EXPECT_EQ(DarkPixels(frames[i], 640, 560, 400, 16), 0) << "frame " << i;
    }
    EXPECT_GE(checked, 20);
    EXPECT_EQ(wrong, 0) << "of " << checked << " frames checked";
    EXPECT_GE(seen.size(), 5u);
    EXPECT_GE(withCursor, static_cast<int>(frames.size()) * 9 / 10) << "the cursor is missing";
}

std::vector<uint8_t> StereoFrames(size_t count, int16_t left, int16_t right) {
    std::vector<uint8_t> v(count * 4);
    for (size_t i = 0; i < count; ++i) {
        std::memcpy(&v[i * 4], &left, 2);
        std::memcpy(&v[i * 4 + 2], &right, 2);
    }
    return v;
}

TEST_F(RecordTest, BothRingsAreMixedIntoOneStereoTrack) {
    ColourWindow window({100, 100, 420, 340}, kPalette, 0);
    RecordingHarness harness;
    // 100 ms deliveries as the wave inputs make them: far end and microphone.
    const std::vector<uint8_t> farEnd = StereoFrames(4800, 1000, 3001);
    const std::vector<uint8_t> micIn = StereoFrames(4800, -501, -1000);
    size_t fed = 0;
    DWORD lastDelivery = 0;
    ASSERT_TRUE(harness.Record({100, 100, 419, 339}, "audio.avi", 2.5, [&] {
        if (::timeGetTime() - lastDelivery < 100) return;
        lastDelivery = ::timeGetTime();
        harness.Session().State.RingA.Append(farEnd.data(), static_cast<int32_t>(farEnd.size()));
        harness.Session().State.RingB.Append(micIn.data(), static_cast<int32_t>(micIn.size()));
        fed += farEnd.size();
    }));
    EXPECT_EQ(harness.endMessage, WM_USER_GENERIC_MSG);
    const std::string file = harness.Folder() + "\\audio.avi";

    const std::vector<int16_t> samples = DecodeAudio(file);
    // Everything but what came after the last turn is in the file.
    EXPECT_LE(samples.size() * 2, fed);
    EXPECT_GE(samples.size() * 2 + farEnd.size(), fed);
    ASSERT_GE(samples.size(), 2u * 48'000);
    int wrong = 0;
    for (size_t i = 0; i + 1 < samples.size(); i += 2)
        wrong += samples[i] != 2000 || samples[i + 1] != -750;
    EXPECT_EQ(wrong, 0) << "left should carry the far end, right the microphone";
    EXPECT_EQ(Probe(file, "a", "stream=sample_rate,channels"), "48000,2");
}

TEST_F(RecordTest, AnExistingRecordingOfTheSameNameIsLeftAlone) {
    ColourWindow window({100, 100, 420, 340}, kPalette, 0);
    RecordingHarness harness;
    const std::string earlier = harness.Folder() + "\\2024-05-01 10-00-00.avi";
    {
        HANDLE f = ::CreateFileA(earlier.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        ASSERT_NE(f, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        ::WriteFile(f, "precious", 8, &written, nullptr);
        ::CloseHandle(f);
    }
    ASSERT_TRUE(harness.Record({100, 100, 419, 339}, "2024-05-01 10-00-00.avi", 1.0));
    EXPECT_EQ(harness.endMessage, WM_USER_GENERIC_MSG);

    char content[16] = {};
    DWORD read = 0;
    HANDLE f = ::CreateFileA(earlier.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                             nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE) << "the earlier recording is gone";
    ::ReadFile(f, content, sizeof content, &read, nullptr);
    ::CloseHandle(f);
    EXPECT_EQ(std::string(content, read), "precious");

    const auto fallback = FilesIn(harness.Folder(), "~temp*.avi");
    ASSERT_EQ(fallback.size(), 1u);
    EXPECT_EQ(Probe(harness.Folder() + "\\" + fallback[0], "v", "stream=codec_tag_string,width,height"),
              "MP43,320,240");
}

TEST_F(RecordTest, AMissingOutputFolderSendsTheRecordingToTheProgramFolder) {
    ColourWindow window({100, 100, 420, 340}, kPalette, 0);
    RecordingHarness harness("C:\\no\\such\\folder");
    const std::string name = "fallback-" + std::to_string(::GetTickCount()) + ".avi";
    ASSERT_TRUE(harness.Record({100, 100, 419, 339}, name, 1.0));
    EXPECT_EQ(harness.endMessage, WM_USER_GENERIC_MSG);
    const std::string file = fw::ProgramFolder() + "\\" + name;
    EXPECT_EQ(Probe(file, "v", "stream=codec_tag_string"), "MP43");
    EXPECT_TRUE(::DeleteFileA(file.c_str()));
}

TEST_F(RecordTest, WhenNoFileCanBeCreatedTheRecordingEndsAsInterrupted) {
    // A folder that exists but takes no files.
    RecordingHarness harness("Z:\\proc");
    ASSERT_TRUE(harness.Record({100, 100, 419, 339}, "never.avi", 1.0))
        << "the worker kept trying for ever";
    EXPECT_FALSE(harness.videoStarted);
    EXPECT_EQ(harness.endMessage, WM_USER_RECORDINTERRUPTED_MSG);
}

TEST_F(RecordTest, ARectangleTooSmallToRecordEndsAsInterrupted) {
    RecordingHarness harness;
    ASSERT_TRUE(harness.Record({100, 100, 102, 102}, "tiny.avi", 0.5));  // 3 x 3
    EXPECT_EQ(harness.endMessage, WM_USER_RECORDINTERRUPTED_MSG);
    EXPECT_TRUE(FilesIn(harness.Folder(), "*.avi").empty());
}

TEST_F(RecordTest, AFrameThatCannotBeAllocatedEndsTheRecordingAsInterrupted) {
    RecordingHarness harness;
    // 40,000 x 40,000 pixels: no bitmap of that size can be made.
    ASSERT_TRUE(harness.Record({0, 0, 39'999, 39'999}, "huge.avi", 0.5));
    EXPECT_FALSE(harness.videoStarted);
    EXPECT_EQ(harness.endMessage, WM_USER_RECORDINTERRUPTED_MSG);
    EXPECT_TRUE(FilesIn(harness.Folder(), "*.avi").empty());
}

// The recorder killed in the middle of a recording (TerminateProcess): the
// file holds what was written up to about the last second.
TEST_F(RecordTest, AKilledRecorderLeavesAReadableFile) {
    RecordingHarness harness;  // for its temp folder
    const std::string file = harness.Folder() + "\\killed.avi";
    std::string bench = e2e::ProgramFolder();
    bench.resize(bench.rfind('\\'));
    bench += "\\bench";
    e2e::ChildProcess recorder = e2e::ChildProcess::Start(
        "\"" + bench + "\\record_bench.exe\" --rect 0,0,320,240 --seconds 60 --still --out \"" + file + "\"",
        bench);
    ASSERT_TRUE(recorder.Started());
    const DWORD until = ::GetTickCount() + 30000;
    WIN32_FILE_ATTRIBUTE_DATA data{};
    while (!(::GetFileAttributesExA(file.c_str(), GetFileExInfoStandard, &data) && data.nFileSizeLow > 0) &&
           static_cast<LONG>(until - ::GetTickCount()) > 0)
        ::Sleep(20);
    ASSERT_GT(data.nFileSizeLow, 0u) << "the recording did not start";
    ::Sleep(3500);
    ASSERT_TRUE(recorder.Running());
    recorder.Kill();

    const int positions = std::atoi(Probe(file, "v", "stream=nb_frames").c_str());
    EXPECT_GE(positions, 50);  // at least 2 of the 3.5 seconds
    // Positions without a picture of their own (a busy machine) are empty
    // chunks that ffprobe does not count as packets; a picture always closes
    // the positions written, so the last one read must reach the length.
    const std::string pts = Probe(file, "v", "packet=pts");
    const int lastPicture = std::atoi(pts.substr(pts.find_last_of('\n') + 1).c_str());
    EXPECT_GE(lastPicture + 1, positions);
    const hostcmd::Result decode = hostcmd::Run("ffmpeg -v error -nostdin -i " +
                                                hostcmd::ShellQuote(hostcmd::HostPath(file)) + " -f null -");
    EXPECT_TRUE(decode.finished);
    EXPECT_EQ(decode.exitCode, 0) << decode.output;
}

}  // namespace
