// The audio engine carries the far end of a call from the virtual device to
// the speakers: a tone played into "Quorvanta VAudio" is heard on the rig's
// speakers while the engine runs, and not once it has quit. Asked to, it
// reports how loud the far end is to a window.
#include <gtest/gtest.h>

#include <windows.h>
#include <mmsystem.h>

#include <cmath>
#include <vector>

#include "callenv/AudioRouter.h"
#include "callenv/CallEnvNames.h"
#include "callenv/ProcessSnapshot.h"
#include "framework/PrivateMessages.h"
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

// The far end of a call: a tone at 12000 of 32767 played into the virtual
// device from the host for up to 30 s, until the object goes.
class FarEndTone {
public:
    FarEndTone() : m_folder(e2e::MakeScratchFolder("callenv-far")) {
        const auto farEnd = hostcmd::Run(
            "sox -n -r 48000 -c 2 -b 16 -e signed -t raw - synth 30 sine 1000 vol 0.366 2>/dev/null | "
            "timeout 30 pacat -d qvaudio --raw --format=s16le --rate=48000 --channels=2 "
            ">/dev/null 2>&1 & echo $! > " + PidFile());
        m_playing = farEnd.finished && farEnd.exitCode == 0;
        m_why = farEnd.output;
        ::Sleep(500);
    }
    ~FarEndTone() {
        hostcmd::Run("kill $(cat " + PidFile() + ")");
        ::DeleteFileA((m_folder + "\\pacat.pid").c_str());
        ::RemoveDirectoryA(m_folder.c_str());
    }
    bool Playing() const { return m_playing; }
    const std::string& Why() const { return m_why; }

private:
    std::string PidFile() const { return hostcmd::ShellQuote(hostcmd::HostPath(m_folder + "\\pacat.pid")); }

    std::string m_folder;
    bool m_playing = false;
    std::string m_why;
};

// Starts the engine from the host with its output detached, so that nothing
// it leaves behind under Wine can hold this test's output open.
bool StartEngine() {
    const std::string engine = hostcmd::ShellQuote(hostcmd::HostPath(e2e::ProgramFolder() + "\\sndrelay.exe"));
    hostcmd::Run("wine " + engine + " </dev/null >/dev/null 2>&1 &");
    return WaitUntil(true, 30000);
}

TEST(SoundRelay, FarEndToneReachesTheSpeakersOnlyWhileTheEngineRuns) {
    CAudioRouter router;
    router.TerminateProcessByName("sndrelay.exe");
    ASSERT_TRUE(WaitUntil(false, 15000));

    FarEndTone farEnd;
    ASSERT_TRUE(farEnd.Playing()) << farEnd.Why();
    const Level silent = RecordSpeakers(1.5);
    EXPECT_LT(silent.tone, 100) << "the tone reached the speakers without the engine";

    ASSERT_TRUE(StartEngine()) << "the engine did not start";
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
}

// The level reports that reach a window of this thread in `ms`.
struct Report {
    double dbfs;
    DWORD endMs;
    DWORD receivedMs;
};

std::vector<Report> CollectReports(HWND window, DWORD ms) {
    std::vector<Report> reports;
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < ms) {
        MSG message;
        while (::PeekMessageA(&message, window, 0, 0, PM_REMOVE))
            if (message.message == msg::kFarEndLevelReport)
                reports.push_back({static_cast<int32_t>(static_cast<uint32_t>(message.wParam)) / 100.0,
                                   static_cast<DWORD>(message.lParam), ::timeGetTime()});
        ::Sleep(10);
    }
    return reports;
}

TEST(SoundRelay, ReportsTheFarEndsLevelToTheWindowThatAsks) {
    CAudioRouter router;
    router.TerminateProcessByName("sndrelay.exe");
    ASSERT_TRUE(WaitUntil(false, 15000));
    ASSERT_TRUE(StartEngine()) << "the engine did not start";
    HWND window = ::CreateWindowExA(0, "STATIC", "level reports", WS_POPUP, 0, 0, 10, 10, nullptr,
                                    nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    router.AudioEngineName = callenv::kAudioEngineName;
    router.OwnerWindow = window;
    ::Sleep(1000);  // the engine's window comes up with its mutex
    EXPECT_TRUE(CollectReports(window, 500).empty()) << "reports before anyone asked";

    router.PostToAudioEngine(msg::kEngineLevelsRequest, 1);
    const std::vector<Report> quiet = CollectReports(window, 1500);
    EXPECT_GE(quiet.size(), 8u) << "one report every 100 ms";
    for (const Report& report : quiet) EXPECT_LE(report.dbfs, -50) << "nothing plays yet";

    {
        FarEndTone farEnd;
        ASSERT_TRUE(farEnd.Playing()) << farEnd.Why();
        const std::vector<Report> loud = CollectReports(window, 2000);
        ASSERT_GE(loud.size(), 15u);
        int toneReports = 0;
        for (const Report& report : loud) {
            toneReports += std::abs(report.dbfs - 20 * std::log10(12000 / std::sqrt(2.0) / 32768)) < 1.0;
            // Stamped when the sound came in, on the clock every process shares.
            EXPECT_LT(static_cast<long>(report.receivedMs - report.endMs), 1000);
            EXPECT_GE(static_cast<long>(report.receivedMs - report.endMs), 0);
        }
        EXPECT_GE(toneReports, static_cast<int>(loud.size()) * 3 / 4) << "the tone's level was not reported";
    }

    router.PostToAudioEngine(msg::kEngineLevelsRequest, 0);
    CollectReports(window, 300);
    EXPECT_TRUE(CollectReports(window, 1000).empty()) << "reports after they were called off";
    ::DestroyWindow(window);
    router.TerminateProcessByName("sndrelay.exe");
}

}  // namespace
