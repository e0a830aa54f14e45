// What the media decoder hands out: the file's properties, one picture as
// planar YUV 4:2:0 and one block of interleaved signed 16-bit sound.
#pragma once

#include <cstdint>
#include <memory>

struct MediaInfo {
    int32_t hasVideo = 0;
    int32_t hasAudio = 0;
    int32_t width = 0;
    int32_t height = 0;
    double duration = 0.0;   // seconds
    double frameRate = 0.0;  // frames per second
    int32_t sampleRate = 0;  // Hz
    int32_t channels = 0;    // of the decoded sound: 1 or 2
};

// One picture: the Y plane of width × height bytes, then U, then V, each of
// (width / 2) × (height / 2) bytes, rows without gaps.
struct VideoFrameBuffer {
    std::unique_ptr<uint8_t[]> bytes;
    int32_t width = 0;
    int32_t height = 0;
    double timestamp = 0.0;  // seconds
};

constexpr int32_t kAudioBlockBytes = 384000;
constexpr int32_t kAudioBlockSamples = kAudioBlockBytes / 2;

struct AudioBlock {
    std::unique_ptr<int16_t[]> samples;  // kAudioBlockBytes
    int32_t capacity = kAudioBlockSamples;  // 16-bit samples of all channels
    int32_t sampleCount = 0;
    double timestamp = 0.0;  // seconds, -1.0 when not known
};

// The most one preview picture may take: the previews keep pictures of up
// to this many bytes.
constexpr int64_t kMaxPictureBytes = 4194304;

// Bytes of a buffer for a width × height picture, or 0 when no buffer is
// allowed for that size. It is at least width × height × 3 / 2, the size the
// previews copy, which for odd sizes is more than the three planes take.
int64_t PictureBufferBytes(int32_t width, int32_t height);
