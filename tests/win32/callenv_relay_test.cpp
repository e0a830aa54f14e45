// The audio engine carries the far end of a call from the virtual device to
// the speakers: a tone played into "Quorvanta VAudio" is heard on the rig's
// speakers while the engine runs, and not once it has quit.
#include <gtest/gtest.h>

#include <windows.h>

#include <cmath>
#include <fstream>
#include <iterator>

#include "callenv/AudioRouter.h"
#include "callenv/ProcessSnapshot.h"
#include "tests/support/fixture_paths.h"
#include "tests/support/host_command.h"
#include "tests/support/process_helpers.h"

namespace {

using e2e::ChildProcess;

// The 1 kHz tone measured in 20 ms windows, so that a short gap in the
// sound does not hide the tone that surrounds it.
struct Level {
    double tone = 0;          // mean amplitude of the 1 kHz component
    double rms = 0;           // mean RMS of the windows
    double toneWindows = 0;   // share of windows in which the tone is clearly there
};

// Records `seconds` of the speakers sink's monitor and measures the tone.
Level RecordSpeakers(double seconds) {
    const std::string folder = e2e::MakeScratchFolder("callenv-relay");
    const std::string raw = folder + "\\speakers.raw";
    const std::string bytes = std::to_string(static_cast<long>(seconds * 192000));
    const auto result = hostcmd::Run(
        "parec -d speakers.monitor --latency-msec=20 --raw --format=s16le --rate=48000 "
        "--channels=2 2>/dev/null | head -c " + bytes + " > " +
        hostcmd::ShellQuote(hostcmd::HostPath(raw)));
    EXPECT_TRUE(result.finished) << result.output;
    std::ifstream in(raw, std::ios::binary);
    std::vector<char> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    ::DeleteFileA(raw.c_str());
    ::RemoveDirectoryA(folder.c_str());

    const auto* samples = reinterpret_cast<const int16_t*>(data.data());
    constexpr std::size_t kWindow = 960;  // 20 ms, 20 periods of the tone
    const std::size_t windows = data.size() / 4 / kWindow;
    Level level;
    if (windows == 0) return level;
    int toneWindows = 0;
    for (std::size_t w = 0; w < windows; ++w) {
        double re = 0, im = 0, energy = 0;
        for (std::size_t i = 0; i < kWindow; ++i) {
            const double v = samples[2 * (w * kWindow + i)];
            const double phase = 2 * 3.14159265358979 * 1000.0 * i / 48000.0;
            energy += v * v;
            re += v * std::cos(phase);
            im += v * std::sin(phase);
        }
        const double tone = 2 * std::sqrt(re * re + im * im) / kWindow;
        const double rms = std::sqrt(energy / kWindow);
        level.tone += tone / windows;
        level.rms += rms / windows;
        // A clean sine's amplitude is its RMS times the square root of two.
        toneWindows += tone > 3000 && tone > 0.9 * std::sqrt(2.0) * rms;
    }
    level.toneWindows = static_cast<double>(toneWindows) / windows;
    return level;
}

TEST(SoundRelay, FarEndToneReachesTheSpeakersOnlyWhileTheEngineRuns) {
    CAudioRouter router;
    router.AppFolder = e2e::ProgramFolder();
    router.TerminateProcessByName("sndrelay.exe");

    // The stand-in messenger plays the far end into the virtual device.
    ChildProcess messenger = ChildProcess::Start(
        "\"" + e2e::FixtureFolder() + "\\msnmsgr.exe\" --tone=1000 \"--device=Quorvanta VAudio\"",
        e2e::FixtureFolder());
    ASSERT_TRUE(messenger.Started());
    ::WaitForInputIdle(messenger.Handle(), 15000);

    const Level silent = RecordSpeakers(1.5);
    EXPECT_LT(silent.tone, 100) << "the tone reached the speakers without the engine";

    router.StartAudioEngine();
    ASSERT_TRUE(callenv::FindProcess("sndrelay.exe"));
    ::Sleep(1000);  // let the relay settle
    const Level relayed = RecordSpeakers(2);
    // The fixture plays at 12000 of 32767. A rare gap under load is allowed;
    // a relay that loses or garbles the sound is not.
    EXPECT_GT(relayed.toneWindows, 0.9) << "tone " << relayed.tone << " rms " << relayed.rms;
    EXPECT_GT(relayed.tone, 9000);

    HWND engineWindow = ::FindWindowA("#32770", "Quorvanta Audio Engine");
    EXPECT_NE(engineWindow, nullptr);
    router.PostToAudioEngine(WM_QUIT, 0);
    for (int i = 0; i < 300 && callenv::FindProcess("sndrelay.exe"); ++i) ::Sleep(50);
    const bool ended = !callenv::FindProcess("sndrelay.exe");
    if (!ended) router.TerminateProcessByName("sndrelay.exe");  // never leave it running
    ASSERT_TRUE(ended) << "the engine did not end on WM_QUIT";
    const Level after = RecordSpeakers(1.5);
    EXPECT_LT(after.tone, 100);
    EXPECT_EQ(after.toneWindows, 0);
}

}  // namespace
