// The wave input's buffer arithmetic and its hand-over block.
#include <gtest/gtest.h>

#include "wavein/WaveBlock.h"
#include "wavein/WaveFormat.h"

TEST(WaveInBuffers, HalfSecondBuffersHoldNinetySixThousandBytes) {
    EXPECT_EQ(wavein::BufferBytesFor(500), 96'000u);
    EXPECT_EQ(wavein::BufferBytesFor(500) / wavein::kBlockAlign, 24'000u);  // frames
    EXPECT_EQ(wavein::BufferBytesFor(1), 192u);
    EXPECT_EQ(wavein::BufferBytesFor(0), 0u);
    EXPECT_EQ(wavein::BufferBytesFor(-5), 0u);
}

TEST(WaveBlock, ThreeBuffersMakeABlockOfTheirSamples) {
    CWaveBlock block;
    const int32_t length = 3 * static_cast<int32_t>(wavein::BufferBytesFor(500));
    block.SetSampleRate(48'000);
    block.SetBitsPerSample(16);
    block.SetSampleCount(length / 2);
    EXPECT_EQ(block.DataLength(), 288'000);
    EXPECT_EQ(block.SampleCount(), 144'000);
    block.Data()[length - 1] = 0x5a;  // the whole length is usable
    EXPECT_EQ(block.Data()[length - 1], 0x5a);
}

TEST(WaveBlock, ResizingDiscardsTheOldContentsAndKeepsAByte) {
    CWaveBlock block;
    block.SetSampleCount(4);
    EXPECT_EQ(block.DataLength(), 8);
    block.Data()[0] = 7;
    block.SetSampleCount(4);
    EXPECT_EQ(block.Data()[0], 0);  // reallocated, not kept

    block.SetSampleCount(0);
    EXPECT_EQ(block.DataLength(), 0);
    ASSERT_NE(block.Data(), nullptr);
    block.Data()[0] = 1;  // at least one byte stays allocated

    block.SetSampleCount(10);
    block.SetBitsPerSample(8);
    EXPECT_EQ(block.DataLength(), 10);
}
