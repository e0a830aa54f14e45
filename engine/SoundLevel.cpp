#include "engine/SoundLevel.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "engine/RecordParams.h"

namespace engine {

namespace {

double DbfsOf(double power, size_t sampleCount) {
    if (sampleCount == 0 || power <= 0) return kSilenceDbfs;
    const double rms = std::sqrt(power / static_cast<double>(sampleCount)) / 32768.0;
    return std::max(kSilenceDbfs, 20.0 * std::log10(rms));
}

}  // namespace

double RmsDbfs(const int16_t* samples, size_t sampleCount) {
    if (!samples) return kSilenceDbfs;
    double power = 0;
    for (size_t i = 0; i < sampleCount; ++i) power += static_cast<double>(samples[i]) * samples[i];
    return DbfsOf(power, sampleCount);
}

CLevelMeter::CLevelMeter(uint32_t sliceMs)
    : m_sliceMs(sliceMs), m_sliceFrames(size_t{sliceMs} * kAudioSampleRate / 1000) {}

std::vector<SoundSlice> CLevelMeter::Add(const uint8_t* pcm, size_t bytes, uint32_t endMs) {
    std::vector<SoundSlice> slices;
    const size_t frames = bytes / kAudioBlockAlign;
    if (!pcm || m_sliceFrames == 0) return slices;
    for (size_t frame = 0; frame < frames; ++frame) {
        int16_t sample[kAudioChannels];
        // Copied out: a delivery's bytes carry no promise of 16-bit alignment.
        std::memcpy(sample, pcm + frame * kAudioBlockAlign, sizeof sample);
        for (int16_t value : sample) m_power += static_cast<double>(value) * value;
        if (++m_frames < m_sliceFrames) continue;
        SoundSlice slice;
        slice.lengthMs = m_sliceMs;
        // The slice ends where the delivery's later frames begin.
        slice.endMs = endMs - static_cast<uint32_t>((frames - frame - 1) * 1000 / kAudioSampleRate);
        slice.levelDbfs = DbfsOf(m_power, m_frames * kAudioChannels);
        slices.push_back(slice);
        m_frames = 0;
        m_power = 0;
    }
    return slices;
}

}  // namespace engine
