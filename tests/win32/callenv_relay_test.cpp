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

struct Level {
    double tone = 0;   // RMS of the 1 kHz component
    double total = 0;  // RMS of the whole signal
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
    const std::size_t frames = data.size() / 4;
    Level level;
    if (frames == 0) return level;
    double re = 0, im = 0, energy = 0;
    for (std::size_t i = 0; i < frames; ++i) {
        const double v = samples[2 * i];
        energy += v * v;
        const double phase = 2 * 3.14159265358979 * 1000.0 * i / 48000.0;
        re += v * std::cos(phase);
        im += v * std::sin(phase);
    }
    level.total = std::sqrt(energy / frames);
    level.tone = std::sqrt(2 * (re * re + im * im)) / frames;
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
    ::Sleep(500);  // let the relay's queues fill
    const Level relayed = RecordSpeakers(2);
    // The fixture plays at 12000 of 32767; allow for the sinks' mixing.
    EXPECT_GT(relayed.tone, 3000) << "total " << relayed.total;
    EXPECT_GT(relayed.tone, 0.8 * relayed.total) << "the relayed sound is not a clean tone";

    router.PostToAudioEngine(WM_QUIT, 0);
    for (int i = 0; i < 300 && callenv::FindProcess("sndrelay.exe"); ++i) ::Sleep(50);
    ASSERT_FALSE(callenv::FindProcess("sndrelay.exe"));
    const Level after = RecordSpeakers(1.5);
    EXPECT_LT(after.tone, 100);
}

}  // namespace
