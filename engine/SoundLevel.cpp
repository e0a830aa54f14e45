#include "engine/SoundLevel.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "engine/RecordParams.h"

namespace engine {

double RmsDbfs(const int16_t* samples, size_t sampleCount) {
    if (!samples || sampleCount == 0) return kSilenceDbfs;
    double sum = 0;
    for (size_t i = 0; i < sampleCount; ++i) sum += static_cast<double>(samples[i]) * samples[i];
    const double rms = std::sqrt(sum / static_cast<double>(sampleCount)) / 32768.0;
    return rms > 0 ? std::max(kSilenceDbfs, 20.0 * std::log10(rms)) : kSilenceDbfs;
}

std::vector<SoundSlice> SliceLevels(const uint8_t* pcm, size_t bytes, uint32_t endMs,
                                    uint32_t sliceMs) {
    std::vector<SoundSlice> slices;
    const size_t frames = bytes / kAudioBlockAlign;
    const size_t sliceFrames = size_t{sliceMs} * kAudioSampleRate / 1000;
    if (!pcm || frames == 0 || sliceFrames == 0) return slices;
    // Copied out: the delivery's bytes carry no promise of 16-bit alignment.
    std::vector<int16_t> samples(frames * kAudioChannels);
    std::memcpy(samples.data(), pcm, samples.size() * sizeof(int16_t));
    for (size_t first = 0; first < frames; first += sliceFrames) {
        const size_t count = std::min(sliceFrames, frames - first);
        SoundSlice slice;
        slice.lengthMs = static_cast<uint32_t>(count * 1000 / kAudioSampleRate);
        // The slice ends where the frames after it begin.
        const size_t afterMs = (frames - first - count) * 1000 / kAudioSampleRate;
        slice.endMs = endMs - static_cast<uint32_t>(afterMs);
        slice.levelDbfs = RmsDbfs(samples.data() + first * kAudioChannels, count * kAudioChannels);
        slices.push_back(slice);
    }
    return slices;
}

}  // namespace engine
