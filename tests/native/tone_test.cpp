// The tone measures the sound tests rely on.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/support/tone.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

// Two seconds of stereo: `left` Hz on the left, `right` Hz on the right; the
// right channel's sine jumps half a period at `spliceAt` (0: never).
std::vector<int16_t> Tones(double left, double right, size_t spliceAt = 0) {
    std::vector<int16_t> frames(96000 * 2);
    for (size_t i = 0; i < 96000; ++i) {
        const double jump = spliceAt && i >= spliceAt ? kPi : 0.0;
        frames[2 * i] = static_cast<int16_t>(12000 * std::sin(2 * kPi * left * i / 48000));
        frames[2 * i + 1] = static_cast<int16_t>(12000 * std::sin(2 * kPi * right * i / 48000 + jump));
    }
    return frames;
}

TEST(ToneMeasure, FindsEachChannelsOwnToneAndNotTheOther) {
    const std::vector<int16_t> frames = Tones(1000, 440);
    EXPECT_GT(tone::ToneShare(frames.data(), 48000, 0, 1000), 0.95);
    EXPECT_LT(tone::ToneShare(frames.data(), 48000, 0, 440), 0.01);
    EXPECT_GT(tone::ToneShare(frames.data(), 48000, 1, 440), 0.95);
    EXPECT_DOUBLE_EQ(tone::WindowsWithTone(frames.data(), 96000, 1, 440, 4800, 0.9), 1.0);
    EXPECT_DOUBLE_EQ(tone::WindowsWithTone(frames.data(), 96000, 1, 1000, 4800, 0.05), 0.0);
    EXPECT_LT(tone::MaxWindowShare(frames.data(), 96000, 0, 440, 4800), 0.01);
}

TEST(ToneMeasure, OneSpliceSpoilsAWholeSecondButOnlyOneShortWindow) {
    const std::vector<int16_t> frames = Tones(1000, 440, 24000 + 2400);
    // Over the whole second the two halves of the sine cancel.
    EXPECT_LT(tone::ToneShare(frames.data(), 48000, 1, 440), 0.5);
    const double share = tone::WindowsWithTone(frames.data(), 96000, 1, 440, 4800, 0.9);
    EXPECT_GE(share, 0.9);
    EXPECT_LT(share, 1.0);
}

TEST(ToneMeasure, SilenceHoldsNoTone) {
    const std::vector<int16_t> silence(96000 * 2, 0);
    EXPECT_DOUBLE_EQ(tone::WindowsWithTone(silence.data(), 96000, 0, 1000, 4800, 0.9), 0.0);
    EXPECT_DOUBLE_EQ(tone::MaxWindowShare(silence.data(), 96000, 0, 1000, 4800), 0.0);
}

}  // namespace
