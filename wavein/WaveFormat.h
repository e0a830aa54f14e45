// The one capture format of the wave inputs: PCM, 48,000 frames per second,
// 2 channels, 16 bits.
#pragma once

#include <cstdint>

namespace wavein {

constexpr int32_t kSampleRate = 48'000;
constexpr int32_t kChannels = 2;
constexpr int32_t kBitsPerSample = 16;
constexpr int32_t kBlockAlign = kChannels * kBitsPerSample / 8;     // 4
constexpr int32_t kBytesPerSecond = kSampleRate * kBlockAlign;      // 192,000
constexpr int kBufferCount = 5;   // capture buffers; one is always the spare
constexpr int kQueuedBuffers = 4;

// Bytes in one capture buffer of `lengthMs` milliseconds.
constexpr uint32_t BufferBytesFor(int32_t lengthMs) {
    return lengthMs <= 0 ? 0u
                         : static_cast<uint32_t>(static_cast<int64_t>(lengthMs) * kBytesPerSecond / 1000);
}

}  // namespace wavein
