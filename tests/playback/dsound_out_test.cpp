// CDSoundOut on Wine's DirectSound, which plays through PulseAudio to the
// rig's speakers: its sizes, its pace and the sound it plays.
#include <gtest/gtest.h>

#include <windows.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <numbers>
#include <vector>

#include "framework/Handle.h"
#include "playback/DSoundOut.h"
#include "tests/support/fixture_paths.h"
#include "tests/support/host_command.h"
#include "tests/support/process_helpers.h"
#include "tests/support/tone.h"

namespace {

fw::KernelHandle AutoResetEvent() {
    return fw::KernelHandle(::CreateEventA(nullptr, FALSE, FALSE, nullptr));
}

// One segment of a continuing 1 kHz stereo tone at 44.1 kHz.
class ToneSource {
public:
    explicit ToneSource(DWORD segmentBytes) : m_segment(segmentBytes / 2) {}
    const int16_t* Next() {
        for (size_t i = 0; i < m_segment.size(); i += 2) {
            const double x = 12000.0 * std::sin(2.0 * std::numbers::pi * 1000.0 * m_n++ / 44100.0);
            m_segment[i] = m_segment[i + 1] = static_cast<int16_t>(x);
        }
        return m_segment.data();
    }

private:
    std::vector<int16_t> m_segment;
    long long m_n = 0;
};

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) / frequency.QuadPart;
}

}  // namespace

TEST(DSoundOut, SegmentsFollowTheRateAndTheFramePeriod) {
    const fw::KernelHandle event = AutoResetEvent();
    CDSoundOut out;
    ASSERT_EQ(out.Create(::GetDesktopWindow(), event.Get(), 44100, 25, 2), 1);
    EXPECT_EQ(out.SegmentSize(), 7056u);
    EXPECT_EQ(out.BufferSize(), 28224u);
    const DWORD ends[] = {7055, 14111, 21167, 28223};
    for (int k = 0; k < CDSoundOut::kSegmentCount; ++k) {
        EXPECT_EQ(out.NotifyPositions()[k].dwOffset, ends[k]);
        EXPECT_EQ(out.NotifyPositions()[k].hEventNotify, event.Get());
    }
    EXPECT_EQ(out.PlayPosition(), 0u);
    // 16 kHz mono at 24 a second: the clock of a file without sound.
    ASSERT_EQ(out.Create(::GetDesktopWindow(), event.Get(), 16000, 24, 1), 1);
    EXPECT_EQ(out.SegmentSize(), 1332u);
    // Nothing sensible to make: no buffer, and no division by zero.
    EXPECT_EQ(out.Create(::GetDesktopWindow(), event.Get(), 44100, 0, 2), 0);
    EXPECT_EQ(out.Create(::GetDesktopWindow(), event.Get(), 10, 25, 2), 0);
    EXPECT_EQ(out.Create(::GetDesktopWindow(), event.Get(), 44100, 25, 6), 0);
    out.WriteSegment(ToneSource(7056).Next(), 0);  // after a failed Create: nothing to write to
    EXPECT_EQ(out.Start(), 0);
}

TEST(DSoundOut, NotifiesTwentyFiveTimesASecondWhilePlayingWhatIsWrittenOnTheSpeakers) {
    const std::string folder = e2e::MakeScratchFolder("dsound-out");
    const std::string raw = folder + "\\speakers.raw";
    constexpr double kPlaySeconds = 10.0;
    // The speakers' monitor, from just before the start to past the end.
    ASSERT_TRUE(hostcmd::Run("(timeout 30 parec -d speakers.monitor --latency-msec=20 --raw "
                             "--format=s16le --rate=48000 --channels=2 2>/dev/null | head -c " +
                             std::to_string(static_cast<long>((kPlaySeconds + 1) * 192000)) +
                             " > " + hostcmd::ShellQuote(hostcmd::HostPath(raw)) + ") &")
                    .finished);
    ::Sleep(300);

    const fw::KernelHandle event = AutoResetEvent();
    CDSoundOut out;
    ASSERT_EQ(out.Create(::GetDesktopWindow(), event.Get(), 44100, 25, 2), 1);
    ToneSource tone(out.SegmentSize());
    for (int k = 0; k < CDSoundOut::kSegmentCount; ++k) out.WriteSegment(tone.Next(), k);
    ASSERT_EQ(out.Start(), 1);

    // The preview's way: at each notification, fill the segment two ahead of
    // the one playing.
    // One auto-reset event merges notifications that come while this thread
    // is late (a busy machine): the segment ends the play cursor passed
    // between wakes count each notification the buffer signalled.
    int wakes = 0;
    int segmentEnds = 0;
    int lastPlaying = 0;
    LARGE_INTEGER first{}, last{};
    for (;;) {
        ASSERT_EQ(::WaitForSingleObject(event.Get(), 2000), WAIT_OBJECT_0) << "no notification";
        ::QueryPerformanceCounter(&last);
        const int playing = static_cast<int>(out.PlayPosition() / out.SegmentSize());
        if (wakes++ == 0)
            first = last;
        else
            segmentEnds += (playing - lastPlaying + CDSoundOut::kSegmentCount) %
                           CDSoundOut::kSegmentCount;
        lastPlaying = playing;
        out.WriteSegment(tone.Next(), (playing + 2) % CDSoundOut::kSegmentCount);
        if (Seconds(first, last) >= kPlaySeconds) break;
    }
    out.Release();
    const double rate = segmentEnds / Seconds(first, last);
    std::printf("notifications: %d segment ends, %d wakes in %.3f s, %.3f a second\n",
                segmentEnds, wakes, Seconds(first, last), rate);
    EXPECT_NEAR(rate, 25.0, 0.5);
    EXPECT_GT(wakes, segmentEnds * 3 / 4) << "the event hardly ever woke the waiter";

    std::vector<char> data;
    e2e::WaitUntil(
        [&] {
            std::ifstream in(raw, std::ios::binary);
            data.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
            return data.size() >= static_cast<size_t>((kPlaySeconds + 1) * 192000);
        },
        20000);
    e2e::RemoveScratchFolder(folder);
    const auto* frames = reinterpret_cast<const int16_t*>(data.data());
    const size_t count = data.size() / 4;
    ASSERT_GT(count, static_cast<size_t>(kPlaySeconds * 48000 * 0.8)) << "the monitor was not recorded";
    // 20 ms windows: the tone fills the ten seconds it played.
    const double withTone = tone::WindowsWithTone(frames, count, 0, 1000.0, 960, 0.8);
    std::printf("windows with the tone: %.3f\n", withTone);
    EXPECT_GT(withTone, 0.75);
    EXPECT_GT(tone::Rms(frames, count, 1), 2000.0);
}
