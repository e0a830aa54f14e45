// The audio rings and the mixing into one stereo track.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <thread>
#include <vector>

#include "engine/AudioMix.h"
#include "engine/AudioRing.h"
#include "engine/RecordParams.h"

namespace {

constexpr int32_t kRing = engine::kAudioRingBytes;

std::vector<uint8_t> Pattern(size_t n, uint8_t seed) {
    std::vector<uint8_t> v(n);
    for (size_t i = 0; i < n; ++i) v[i] = static_cast<uint8_t>(seed + i * 7 + i / 251);
    return v;
}

// Stereo frames of two 16-bit samples.
std::vector<uint8_t> Frames(size_t count, int16_t left, int16_t right) {
    std::vector<uint8_t> v(count * 4);
    for (size_t i = 0; i < count; ++i) {
        std::memcpy(&v[i * 4], &left, 2);
        std::memcpy(&v[i * 4 + 2], &right, 2);
    }
    return v;
}

using Stereo = std::pair<int16_t, int16_t>;
Stereo St(int left, int right) {
    return {static_cast<int16_t>(left), static_cast<int16_t>(right)};
}

std::pair<int16_t, int16_t> FrameAt(const uint8_t* p, size_t frame) {
    int16_t l, r;
    std::memcpy(&l, p + frame * 4, 2);
    std::memcpy(&r, p + frame * 4 + 2, 2);
    return {l, r};
}

TEST(AudioRing, AppendWrapsAtTheEndAndDrainReadsAcrossIt) {
    CAudioRing ring(kRing);
    std::vector<uint8_t> scratch(engine::kAudioScratchBytes);
    // Move both positions to 1,990,000.
    const std::vector<uint8_t> filler = Pattern(995'000, 1);
    for (int i = 0; i < 2; ++i) {
        ring.Append(filler.data(), 995'000);
        ASSERT_EQ(ring.Drain(scratch.data(), 1'000'000), 995'000);
    }
    ASSERT_EQ(ring.WritePosition(), 1'990'000);

    const std::vector<uint8_t> delivery = Pattern(48'000, 9);
    ring.Append(delivery.data(), 48'000);
    EXPECT_EQ(ring.WritePosition(), 38'000);  // 10,000 at the end, 38,000 at the start
    EXPECT_EQ(ring.Count(), 48'000);
    ASSERT_EQ(ring.Drain(scratch.data(), engine::kAudioScratchBytes), 48'000);
    EXPECT_EQ(0, std::memcmp(scratch.data(), delivery.data(), 48'000));
    EXPECT_EQ(ring.ReadPosition(), 38'000);
    EXPECT_EQ(ring.Count(), 0);
}

TEST(AudioRing, DrainTakesWholeFramesAndNoMoreThanTheScratchHolds) {
    CAudioRing ring(kRing);
    std::vector<uint8_t> scratch(engine::kAudioScratchBytes);
    const std::vector<uint8_t> bytes = Pattern(1'500'002, 3);
    ring.Append(bytes.data(), 1'500'002);

    EXPECT_EQ(ring.Drain(scratch.data(), engine::kAudioScratchBytes), 1'024'000);
    EXPECT_EQ(0, std::memcmp(scratch.data(), bytes.data(), 1'024'000));
    EXPECT_EQ(ring.Count(), 476'002);
    // The rest comes next time, continuing where the first drain stopped,
    // and the two bytes of an unfinished frame stay for later.
    EXPECT_EQ(ring.Drain(scratch.data(), engine::kAudioScratchBytes), 476'000);
    EXPECT_EQ(0, std::memcmp(scratch.data(), bytes.data() + 1'024'000, 476'000));
    EXPECT_EQ(ring.Count(), 2);
    EXPECT_EQ(ring.Drain(scratch.data(), engine::kAudioScratchBytes), 0);
}

TEST(AudioRing, ClearEmptiesEverything) {
    CAudioRing ring(kRing);
    const std::vector<uint8_t> bytes = Pattern(40'000, 5);
    ring.Append(bytes.data(), 40'000);
    ClearRing(ring);
    EXPECT_EQ(ring.Count(), 0);
    EXPECT_EQ(ring.WritePosition(), 0);
    EXPECT_EQ(ring.ReadPosition(), 0);
    // A new recording's first drain holds only new audio.
    const std::vector<uint8_t> fresh = Pattern(20'000, 77);
    ring.Append(fresh.data(), 20'000);
    std::vector<uint8_t> scratch(engine::kAudioScratchBytes);
    ASSERT_EQ(ring.Drain(scratch.data(), engine::kAudioScratchBytes), 20'000);
    EXPECT_EQ(0, std::memcmp(scratch.data(), fresh.data(), 20'000));
}

TEST(AudioRing, ADeliveryLongerThanTheRingKeepsItsLastBytes) {
    CAudioRing ring(1000);
    const std::vector<uint8_t> bytes = Pattern(2'600, 11);
    ring.Append(bytes.data(), 2'600);
    EXPECT_EQ(ring.Count(), 2'600);  // what to do about the excess is the producer's call
    std::vector<uint8_t> out(1000);
    ASSERT_EQ(ring.Drain(out.data(), 1000), 1000);
    // The ring holds the last 1000 bytes, each where the wrap rule put it.
    std::vector<uint8_t> held(1000);
    for (int i = 0; i < 1000; ++i) held[(1600 + i) % 1000] = bytes[1600 + i];
    EXPECT_EQ(out, held);
}

TEST(AudioRing, ProducerAndConsumerOnTwoThreadsKeepTheByteStream) {
    CAudioRing ring(4096);
    constexpr uint32_t kTotal = 4'000'000;
    std::thread producer([&] {
        std::mt19937 random(7);
        uint32_t next = 0;
        std::vector<uint8_t> block(1024);
        while (next < kTotal) {
            const int32_t n = std::min<int32_t>(1 + random() % 1024, kTotal - next);
            while (ring.Count() + n > ring.Size()) std::this_thread::yield();
            for (int32_t i = 0; i < n; ++i) block[i] = static_cast<uint8_t>((next + i) * 131 >> 3);
            ring.Append(block.data(), n);
            next += n;
        }
    });
    uint32_t seen = 0;
    bool inOrder = true;
    std::vector<uint8_t> out(1500);
    while (seen < kTotal - kTotal % 4 && inOrder) {
        const int32_t n = ring.Drain(out.data(), 1500);
        for (int32_t i = 0; i < n; ++i)
            inOrder = inOrder && out[i] == static_cast<uint8_t>((seen + i) * 131 >> 3);
        seen += n;
        if (n == 0) std::this_thread::yield();
    }
    producer.join();
    EXPECT_TRUE(inOrder) << "bytes out of order after " << seen;
    EXPECT_EQ(seen, kTotal);
}

TEST(AudioMix, AveragesEachInputsChannelsTruncatingTowardZero) {
    std::vector<uint8_t> a = Frames(3, 0, 0), b = Frames(3, 0, 0);
    const int16_t aValues[3][2] = {{3, -6}, {32767, 32767}, {-1, 0}};
    const int16_t bValues[3][2] = {{-32768, -32767}, {5, 4}, {-7, 0}};
    for (int i = 0; i < 3; ++i) {
        std::memcpy(&a[i * 4], aValues[i], 4);
        std::memcpy(&b[i * 4], bValues[i], 4);
    }
    MixStereoFrames(a.data(), b.data(), 12);
    EXPECT_EQ(FrameAt(a.data(), 0), St(-1, -32767));
    EXPECT_EQ(FrameAt(a.data(), 1), St(32767, 4));
    EXPECT_EQ(FrameAt(a.data(), 2), St(0, -3));
}

TEST(AudioMix, AChunkIsDueOnlyAboveTheThreshold) {
    CAudioRing ring(kRing);
    const std::vector<uint8_t> bytes = Frames(3840, 1, 1);  // 15,360 bytes
    ring.Append(bytes.data(), 15'360);
    EXPECT_FALSE(AudioChunkDue(ring));
    ring.Append(bytes.data(), 4);
    EXPECT_TRUE(AudioChunkDue(ring));
}

TEST(AudioMix, MicrophoneShortfallReusesWhatScratchBHeldBefore) {
    CAudioRing ringA(kRing), ringB(kRing);
    CAudioScratch scratch(engine::kAudioScratchBytes);

    // First chunk: no microphone at all, so the right channel is silent.
    auto far = Frames(8, 100, 300);
    ringA.Append(far.data(), 32);
    ASSERT_EQ(DrainAndMix(ringA, ringB, scratch), 32);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(FrameAt(scratch.A(), i), St(200, 0));

    // Second: a full microphone chunk.
    auto mic = Frames(8, 10, 20);
    ringA.Append(far.data(), 32);
    ringB.Append(mic.data(), 32);
    ASSERT_EQ(DrainAndMix(ringA, ringB, scratch), 32);
    EXPECT_EQ(FrameAt(scratch.A(), 7), St(200, 15));

    // Third: the microphone delivers half; the rest comes from before.
    auto shortMic = Frames(4, -50, -51);
    ringA.Append(far.data(), 32);
    ringB.Append(shortMic.data(), 16);
    ASSERT_EQ(DrainAndMix(ringA, ringB, scratch), 32);
    EXPECT_EQ(FrameAt(scratch.A(), 0), St(200, -50));
    EXPECT_EQ(FrameAt(scratch.A(), 3), St(200, -50));
    EXPECT_EQ(FrameAt(scratch.A(), 4), St(200, 15));
    EXPECT_EQ(ringA.Count(), 0);
    EXPECT_EQ(ringB.Count(), 0);
}

TEST(AudioMix, BothRingsDrainWithinTheScratchAndKeepTheirCounts) {
    CAudioRing ringA(kRing), ringB(kRing);
    CAudioScratch scratch(engine::kAudioScratchBytes);
    const auto far = Frames(375'000, 2, 4);  // 1,500,000 bytes after a stall
    const auto mic = Frames(300'000, 6, 8);  // 1,200,000 bytes
    ringA.Append(far.data(), 1'500'000);
    ringB.Append(mic.data(), 1'200'000);

    EXPECT_EQ(DrainAndMix(ringA, ringB, scratch), 1'024'000);
    EXPECT_EQ(ringA.Count(), 476'000);
    EXPECT_EQ(ringB.Count(), 176'000);
    EXPECT_EQ(FrameAt(scratch.A(), 255'999), St(3, 7));

    // The next chunk carries on with both rings' remaining bytes.
    EXPECT_EQ(DrainAndMix(ringA, ringB, scratch), 476'000);
    EXPECT_EQ(ringA.Count(), 0);
    EXPECT_EQ(ringB.Count(), 0);
    EXPECT_EQ(FrameAt(scratch.A(), 0), St(3, 7));
}

}  // namespace
