// What the wave inputs' deliveries put into the rings: the sound placed on
// the recording's clock, and never more than a ring holds.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <vector>

#include "engine/AudioProducer.h"
#include "engine/AudioRing.h"
#include "engine/RecordParams.h"

namespace {

constexpr int32_t kRing = engine::kAudioRingBytes;
constexpr int32_t kBuffer = 96'000;  // one 500 ms capture buffer

std::vector<uint8_t> Numbered(int32_t n, uint8_t first = 0) {
    std::vector<uint8_t> bytes(static_cast<size_t>(n));
    std::iota(bytes.begin(), bytes.end(), first);
    return bytes;
}

}  // namespace

// Drains everything the ring holds.
std::vector<uint8_t> DrainAll(CAudioRing& ring) {
    std::vector<uint8_t> all, piece(1'024'000);
    while (int32_t n = ring.Drain(piece.data(), 1'024'000)) all.insert(all.end(), piece.begin(), piece.begin() + n);
    return all;
}

constexpr uint32_t kStart = 10'000;  // time zero on the multimedia clock

TEST(AudioTrackAligner, DeliveriesBeforeTheFirstPictureAreDropped) {
    CAudioRing ring(kRing);
    CAudioTrackAligner track;
    std::vector<uint8_t> audio = Numbered(kBuffer);
    EXPECT_EQ(track.Accept(ring, audio.data(), kBuffer, false, 0, 1000), 0);
    // Started, but the delivery's sound ended before time zero.
    EXPECT_EQ(track.Accept(ring, audio.data(), kBuffer, true, kStart, kStart - 10), 0);
    EXPECT_EQ(ring.Count(), 0);
    EXPECT_EQ(track.Written(), 0);
}

TEST(AudioTrackAligner, TheDeliverySpanningTimeZeroKeepsOnlyWhatCameAfterIt) {
    CAudioRing ring(kRing);
    CAudioTrackAligner track;
    std::vector<uint8_t> audio = Numbered(kBuffer);
    // Ended 125 ms after time zero: its last 125 ms (24,000 bytes) are kept.
    EXPECT_EQ(track.Accept(ring, audio.data(), kBuffer, true, kStart, kStart + 125), 24'000);
    // The next buffer follows seamlessly.
    EXPECT_EQ(track.Accept(ring, audio.data(), kBuffer, true, kStart, kStart + 625), kBuffer);
    std::vector<uint8_t> all = DrainAll(ring);
    ASSERT_EQ(all.size(), size_t(24'000 + kBuffer));
    EXPECT_TRUE(std::equal(all.begin(), all.begin() + 24'000, audio.end() - 24'000));
    EXPECT_TRUE(std::equal(all.begin() + 24'000, all.end(), audio.begin()));
}

TEST(AudioTrackAligner, SoundTheDeviceNeverDeliveredBecomesSilence) {
    CAudioRing ring(kRing);
    CAudioTrackAligner track;
    std::vector<uint8_t> audio = Numbered(kBuffer, 1);
    // A device that starts late: its first buffer covers 700-1200 ms.
    EXPECT_EQ(track.Accept(ring, audio.data(), kBuffer, true, kStart, kStart + 1200),
              700 * 192 + kBuffer);
    std::vector<uint8_t> all = DrainAll(ring);
    ASSERT_EQ(all.size(), size_t(700 * 192 + kBuffer));
    EXPECT_TRUE(std::all_of(all.begin(), all.begin() + 700 * 192, [](uint8_t b) { return b == 0; }));
    EXPECT_EQ(all[700 * 192], audio[0]);
    EXPECT_EQ(track.Written(), 1200 * 192);
}

TEST(AudioTrackAligner, SmallJitterIsLeftAloneLargerDriftIsCorrected) {
    CAudioRing ring(kRing);
    CAudioTrackAligner track;
    std::vector<uint8_t> audio = Numbered(kBuffer);
    track.Accept(ring, audio.data(), kBuffer, true, kStart, kStart + 500);
    // 10 ms late or early: taken as it is, the track stays continuous.
    EXPECT_EQ(track.Accept(ring, audio.data(), kBuffer, true, kStart, kStart + 1010), kBuffer);
    EXPECT_EQ(track.Accept(ring, audio.data(), kBuffer, true, kStart, kStart + 1490), kBuffer);
    EXPECT_EQ(track.Written(), 3 * kBuffer);
    // A device running fast: 60 ms of overlap is dropped from the start.
    EXPECT_EQ(track.Accept(ring, audio.data(), kBuffer, true, kStart, kStart + 1940),
              kBuffer - 60 * 192);
    EXPECT_EQ(track.Written(), 1940 * 192);
    // A device running slow: 50 ms of silence before the buffer.
    EXPECT_EQ(track.Accept(ring, audio.data(), kBuffer, true, kStart, kStart + 2490),
              kBuffer + 50 * 192);
    EXPECT_EQ(track.Written(), 2490 * 192);
}

TEST(AudioTrackAligner, ResetStartsANewTrackAndTheClockMayWrap) {
    CAudioRing ring(kRing);
    CAudioTrackAligner track;
    std::vector<uint8_t> audio = Numbered(kBuffer);
    track.Accept(ring, audio.data(), kBuffer, true, kStart, kStart + 500);
    track.Reset();
    ring.Clear();
    const uint32_t nearWrap = 0xFFFFFFFFu - 99;  // time zero 100 ms before the wrap
    EXPECT_EQ(track.Accept(ring, audio.data(), kBuffer, true, nearWrap, 400), kBuffer);
    EXPECT_EQ(track.Written(), kBuffer);
}

TEST(AudioRingOverflow, AProducerTooFarAheadLosesItsNewAudioNotTheOld) {
    CAudioRing ring(kRing);
    std::vector<uint8_t> buffer = Numbered(kBuffer, 7);
    // Nobody drains: twenty buffers fill 1,920,000 bytes, the next fits only
    // partly, then nothing more goes in.
    for (int i = 0; i < 20; ++i) ASSERT_EQ(ring.AppendWhatFits(buffer.data(), kBuffer), kBuffer);
    EXPECT_EQ(ring.AppendWhatFits(buffer.data(), kBuffer), kRing - 20 * kBuffer);
    EXPECT_EQ(ring.Count(), kRing);
    EXPECT_EQ(ring.AppendWhatFits(buffer.data(), kBuffer), 0);
    EXPECT_EQ(ring.Count(), kRing);

    // The consumer finds the oldest audio intact, in order.
    std::vector<uint8_t> out(1'024'000);
    ASSERT_EQ(ring.Drain(out.data(), 1'024'000), 1'024'000);
    for (size_t i = 0; i < out.size(); i += 997)
        ASSERT_EQ(out[i], buffer[i % kBuffer]) << "byte " << i;
    EXPECT_EQ(ring.Count(), kRing - 1'024'000);

    // Room again: new audio is taken once more and follows the old.
    std::vector<uint8_t> fresh = Numbered(kBuffer, 101);
    EXPECT_EQ(ring.AppendWhatFits(fresh.data(), kBuffer), kBuffer);
    std::vector<uint8_t> rest;
    while (int32_t n = ring.Drain(out.data(), 1'024'000)) rest.insert(rest.end(), out.begin(), out.begin() + n);
    ASSERT_EQ(rest.size(), size_t(kRing - 1'024'000 + kBuffer));
    EXPECT_TRUE(std::equal(fresh.begin(), fresh.end(), rest.end() - kBuffer));
    EXPECT_EQ(ring.Count(), 0);
}

TEST(AudioRingOverflow, OnlyWholeFramesAreTakenWhenSpaceIsShort) {
    CAudioRing ring(kRing);
    std::vector<uint8_t> big = Numbered(kRing - 6);
    ASSERT_EQ(ring.AppendWhatFits(big.data(), kRing - 6), kRing - 8);  // whole frames only
    EXPECT_EQ(ring.AppendWhatFits(big.data(), 10), 8);
    EXPECT_EQ(ring.Count(), kRing);
}

TEST(AudioTrackAligner, AStopEndsTheTrackWithSilenceWhereTheDeviceStillHeldSound) {
    CAudioRing ring(kRing);
    CAudioTrackAligner track;
    std::vector<uint8_t> audio = Numbered(kBuffer, 1);
    ASSERT_EQ(track.Accept(ring, audio.data(), kBuffer, true, kStart, kStart + 500), kBuffer);
    // Stopped at 800 ms with nothing more delivered: 300 ms of silence.
    EXPECT_EQ(track.FinishAt(ring, true, kStart, kStart + 800), 300 * 192);
    EXPECT_EQ(track.Written(), int64_t{800} * 192);
    std::vector<uint8_t> all = DrainAll(ring);
    ASSERT_EQ(all.size(), size_t(800 * 192));
    EXPECT_TRUE(std::all_of(all.begin() + kBuffer, all.end(), [](uint8_t b) { return b == 0; }));
    // A stop within the tolerance, or a second stop, adds nothing.
    EXPECT_EQ(track.FinishAt(ring, true, kStart, kStart + 810), 0);
}

TEST(AudioTrackAligner, AStopLeavesATrackThatNeverHeardAnythingEmpty) {
    CAudioRing ring(kRing);
    CAudioTrackAligner track;
    EXPECT_EQ(track.FinishAt(ring, true, kStart, kStart + 5000), 0);
    std::vector<uint8_t> audio = Numbered(kBuffer);
    // Only sound from before the first picture: still nothing on the track.
    EXPECT_EQ(track.Accept(ring, audio.data(), kBuffer, false, 0, 1000), 0);
    EXPECT_EQ(track.FinishAt(ring, false, 0, 5000), 0);
    EXPECT_EQ(ring.Count(), 0);
}
