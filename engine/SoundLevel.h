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

// A stretch of a delivery and its level; `endMs` is when its sound ended.
struct SoundSlice {
    uint32_t endMs = 0;
    uint32_t lengthMs = 0;
    double levelDbfs = kSilenceDbfs;
};

// Cuts a delivery of 48 kHz 16-bit stereo PCM whose last sound ended at
// `endMs` into slices of `sliceMs` (the last one may be shorter), oldest
// first. A trailing half frame is ignored.
std::vector<SoundSlice> SliceLevels(const uint8_t* pcm, size_t bytes, uint32_t endMs,
                                    uint32_t sliceMs);

}  // namespace engine
