// How loud a stretch of captured sound is: the RMS level of 16-bit PCM in
// decibels below full scale, for the far end's sound that tells a call has
// started or gone quiet.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace engine {

// What silence measures: below anything a 16-bit sample can hold.
constexpr double kSilenceDbfs = -200.0;

// RMS level of interleaved 16-bit samples (all channels together) against a
// square wave at full scale: a full-scale sine gives about -3 dBFS, silence
// kSilenceDbfs.
double RmsDbfs(const int16_t* samples, size_t sampleCount);

// A stretch of sound and its level; `endMs` is when its sound ended.
struct SoundSlice {
    uint32_t endMs = 0;
    uint32_t lengthMs = 0;
    double levelDbfs = kSilenceDbfs;
};

// Measures a stream of 48 kHz 16-bit stereo PCM in slices of `sliceMs`,
// whatever the size of its deliveries: a delivery's frames complete the
// slice begun before it, and each slice completed comes out with the time
// its sound ended.
class CLevelMeter {
public:
    explicit CLevelMeter(uint32_t sliceMs);

    // A delivery whose last sound ended at `endMs`; a trailing half frame is
    // ignored. Returns the slices it completed, oldest first.
    std::vector<SoundSlice> Add(const uint8_t* pcm, size_t bytes, uint32_t endMs);

private:
    uint32_t m_sliceMs;
    size_t m_sliceFrames;
    size_t m_frames = 0;  // of the slice begun
    double m_power = 0;   // its sum of squared samples
};

}  // namespace engine
