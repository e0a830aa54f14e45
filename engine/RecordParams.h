// Capture and encoding parameters, read by every part of the recording engine.
// The engine never derives one field from another: the frame interval drives
// the capture timing and the frame rate only goes into the stream header.
#pragma once

#include <cstdint>

constexpr uint32_t MakeFourcc(char a, char b, char c, char d) {
    return static_cast<uint32_t>(static_cast<uint8_t>(a)) |
           static_cast<uint32_t>(static_cast<uint8_t>(b)) << 8 |
           static_cast<uint32_t>(static_cast<uint8_t>(c)) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(d)) << 24;
}

struct CRecordParams {
    int32_t DrawCursor = 1;
    int32_t BitsPerPixel = 24;
    int32_t ShowRegionFrame = 1;
    int32_t MinimizeOnRecord = 1;
    int32_t RegionWidth = 320;
    int32_t RegionHeight = 240;
    int32_t DefaultOriginX = 100;
    int32_t DefaultOriginY = 100;
    int32_t FrameIntervalMs = 40;  // above 1000: one position per turn
    int32_t FrameRate = 25;
    int32_t KeyFrameEvery = 25;
    int32_t Quality = 10000;  // 0-10000
    uint32_t CompressorFourcc = MakeFourcc('M', 'P', '4', '3');
    int32_t ScreenWidth = 0;  // measured at start-up
    int32_t ScreenHeight = 0;
};

// Fixed engine constants.
namespace engine {
constexpr int32_t kAudioRingBytes = 2'000'000;
constexpr int32_t kAudioChunkThreshold = 15'360;  // 80 ms at 192,000 bytes/s
constexpr int32_t kAudioScratchBytes = 1'024'000;
constexpr int32_t kAudioSourceBufferMs = 500;
constexpr int32_t kAudioSampleRate = 48'000;
constexpr int32_t kAudioChannels = 2;
constexpr int32_t kAudioBitsPerSample = 16;
constexpr int32_t kAudioBlockAlign = 4;
constexpr int32_t kAudioBytesPerSecond = 192'000;
constexpr int32_t kSleepSliceMs = 50;
constexpr int32_t kRefreshPeriodMs = 500;
constexpr unsigned kRecordingTimerId = 2;
constexpr unsigned kRecordingTimerMs = 1000;
constexpr unsigned kIconTimerId = 3;
constexpr unsigned kIconTimerMs = 600;
constexpr const char* kFileNameTimeFormat = "%Y-%m-%d %H-%M-%S";
}  // namespace engine
