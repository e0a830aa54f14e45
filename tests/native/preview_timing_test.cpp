// The preview player's pace, progress and sound queue.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "playback/PreviewTiming.h"

TEST(PreviewClock, OneTickPerPictureWithTheUsualRatesRoundedAndOddRatesAt24) {
    EXPECT_EQ(PreviewClockRate(true, 25.0), 25);
    EXPECT_EQ(PreviewClockRate(true, 29.97), 30);
    EXPECT_EQ(PreviewClockRate(true, 23.976), 24);
    EXPECT_EQ(PreviewClockRate(true, 0.0), 24);
    EXPECT_EQ(PreviewClockRate(true, 120.0), 24);
    EXPECT_EQ(PreviewClockRate(false, 25.0), 1);
}

TEST(PreviewProgress, StartsWhereAskedAndCountsSoundOnlyFilesAt24PerSecond) {
    const int64_t total = PreviewTotalFrames(true, 4.0, 25.0);
    ASSERT_EQ(total, 100);
    const int64_t start = PreviewStartFrame(50, total);
    EXPECT_EQ(start, 50);
    EXPECT_EQ(PreviewPercent(start + 1, total), 51);
    // A minute of sound ticks 60 times out of 1440: the slider ends near 4.
    const int64_t soundOnly = PreviewTotalFrames(false, 60.0, 0.0);
    EXPECT_EQ(PreviewPercent(60, soundOnly), 4);
    EXPECT_EQ(PreviewTotalFrames(true, 0.0, 25.0), 0);
    EXPECT_EQ(PreviewTotalFrames(true, 1.0, std::nan("")), 0);
}

TEST(PreviewProgress, WholePercentsMapToWholeFramesAndBackWithoutLosingOne) {
    // 0.29, 0.57 and 0.58 have no exact double: times 100 they fell a hair
    // short, and truncation lost a frame or a percent.
    for (int percent = 0; percent <= 100; ++percent) {
        EXPECT_EQ(PreviewStartFrame(percent, 100), percent);
        EXPECT_EQ(PreviewPercent(percent, 100), percent);
        EXPECT_EQ(PreviewPercent(PreviewStartFrame(percent, 1500), 1500), percent);
    }
    EXPECT_EQ(PreviewPercent(2, 3), 66);  // truncated, not rounded
    EXPECT_EQ(PreviewStartFrame(-5, 100), 0);
    EXPECT_EQ(PreviewStartFrame(1000000, int64_t{1} << 40), int64_t{1} << 40);
}

TEST(PreviewAudioQueue, HandsOutSegmentsInOrderSilenceWhenShortAndNeverOverflows) {
    // 192 kHz stereo at one segment a second: a segment alone is 768,000
    // bytes; the queue must still take a whole decoded block on top.
    const size_t segment = 768000, block = 384000;
    PreviewAudioQueue queue(segment, block);
    ASSERT_GE(queue.Capacity(), segment + 1000 + block);
    std::vector<uint8_t> data(block);
    for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<uint8_t>(i % 251 + 1);
    while (queue.WantsMore()) ASSERT_EQ(queue.Append(data.data(), data.size()), data.size());
    // Full: what does not fit is cut, not written past the end.
    while (queue.Append(data.data(), data.size()) == data.size()) {}
    EXPECT_EQ(queue.Fill(), queue.Capacity());

    std::vector<uint8_t> out(segment);
    queue.TakeSegment(out.data());
    EXPECT_EQ(std::memcmp(out.data(), data.data(), block), 0);
    EXPECT_EQ(std::memcmp(out.data() + block, data.data(), block), 0);
    EXPECT_EQ(queue.Fill(), queue.Capacity() - segment);

    PreviewAudioQueue small(1000, 100);
    small.Append(data.data(), 300);
    std::vector<uint8_t> part(1000, 0xAA);
    small.TakeSegment(part.data());
    EXPECT_EQ(std::memcmp(part.data(), data.data(), 300), 0);
    EXPECT_EQ(part[300], 0);
    EXPECT_EQ(part[999], 0);
    EXPECT_EQ(small.Fill(), 0u);
}
