// A block of PCM audio handed over by a wave input. The caller owns it; the
// input refills it on every read.
#pragma once

#include <cstdint>
#include <vector>

class CWaveBlock {
public:
    int32_t BitsPerSample() const { return m_bitsPerSample; }
    int32_t SampleRate() const { return m_sampleRate; }
    // Single-channel samples (16-bit values at 16 bits), not stereo frames.
    int32_t SampleCount() const { return m_sampleCount; }

    // Changing the sample size or count reallocates the data; the old contents
    // are discarded.
    void SetBitsPerSample(int32_t bits);
    void SetSampleRate(int32_t rate) { m_sampleRate = rate; }
    void SetSampleCount(int32_t count);

    // Bytes of PCM data: sample count x bits per sample / 8.
    int32_t DataLength() const;
    uint8_t* Data() { return m_data.data(); }
    const uint8_t* Data() const { return m_data.data(); }

private:
    void Reallocate();

    int32_t m_bitsPerSample = 16;
    int32_t m_sampleRate = 48'000;
    int32_t m_sampleCount = 0;
    std::vector<uint8_t> m_data = std::vector<uint8_t>(1);
};
