// The audio engine carries the far end of a call from the virtual device to
// the speakers: a tone played into "Quorvanta VAudio" is heard on the rig's
// speakers while the engine runs, and not once it has quit.
#include <gtest/gtest.h>

#include <windows.h>

#include <cmath>

#include "callenv/AudioRouter.h"
#include "callenv/ProcessSnapshot.h"
#include "tests/support/fixture_paths.h"
#include "tests/support/host_command.h"
#include "tests/support/process_helpers.h"
#include "tests/support/sound_rig.h"

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
    const std::vector<int16_t> data = soundrig::RecordMonitor(soundrig::kSpeakersSink, seconds);
    EXPECT_FALSE(data.empty()) << "nothing recorded from the speakers";
    const int16_t* samples = data.data();
    constexpr std::size_t kWindow = 960;  // 20 ms, 20 periods of the tone
    const std::size_t windows = data.size() / 2 / kWindow;
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

bool EngineRunning() {
    HANDLE mutex = ::OpenMutexA(SYNCHRONIZE, FALSE, "Quorvanta Audio Engine");
    if (mutex) ::CloseHandle(mutex);
    return mutex != nullptr;
}

bool WaitUntil(bool wanted, DWORD ms) {
    for (DWORD waited = 0; EngineRunning() != wanted; waited += 50) {
        if (waited > ms) return false;
        ::Sleep(50);
    }
    return true;
}

TEST(SoundRelay, FarEndToneReachesTheSpeakersOnlyWhileTheEngineRuns) {
    CAudioRouter router;
    router.TerminateProcessByName("sndrelay.exe");
    ASSERT_TRUE(WaitUntil(false, 15000));

    // The far end of the call: a tone played into the virtual device, for up
    // to 30 s.
    const std::string folder = e2e::MakeScratchFolder("callenv-far");
    const std::string pidFile = hostcmd::ShellQuote(hostcmd::HostPath(folder + "\\pacat.pid"));
    const auto farEnd = hostcmd::Run(
        "sox -n -r 48000 -c 2 -b 16 -e signed -t raw - synth 30 sine 1000 vol 0.366 2>/dev/null | "
        "timeout 30 pacat -d qvaudio --raw --format=s16le --rate=48000 --channels=2 "
        ">/dev/null 2>&1 & echo $! > " + pidFile);
    ASSERT_TRUE(farEnd.finished && farEnd.exitCode == 0) << farEnd.output;
    ::Sleep(500);

    const Level silent = RecordSpeakers(1.5);
    EXPECT_LT(silent.tone, 100) << "the tone reached the speakers without the engine";

    // The engine is started from the host with its output detached, so that
    // nothing it leaves behind under Wine can hold this test's output open.
    const std::string engine = hostcmd::ShellQuote(hostcmd::HostPath(e2e::ProgramFolder() + "\\sndrelay.exe"));
    hostcmd::Run("wine " + engine + " </dev/null >/dev/null 2>&1 &");
    ASSERT_TRUE(WaitUntil(true, 30000)) << "the engine did not start";
    ::Sleep(1000);  // let the relay settle
    const Level relayed = RecordSpeakers(2);
    // The far end plays at 12000 of 32767. A rare gap under load is allowed;
    // a relay that loses or garbles the sound is not.
    EXPECT_GT(relayed.toneWindows, 0.9) << "tone " << relayed.tone << " rms " << relayed.rms;
    EXPECT_GT(relayed.tone, 9000);

    router.TerminateProcessByName("sndrelay.exe");
    EXPECT_TRUE(WaitUntil(false, 15000));
    const Level after = RecordSpeakers(1.5);
    EXPECT_LT(after.tone, 100);
    EXPECT_EQ(after.toneWindows, 0);

    hostcmd::Run("kill $(cat " + pidFile + ")");
    ::DeleteFileA((folder + "\\pacat.pid").c_str());
    ::RemoveDirectoryA(folder.c_str());
}

}  // namespace
