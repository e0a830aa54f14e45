// Turns decoded sound of any sample format and channel layout into
// interleaved signed 16-bit samples with one or two channels, through
// libswresample. What does not fit the caller's block is kept for the next
// call rather than dropped.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct AVFrame;
struct SwrContext;

class CSoundConverter {
public:
    CSoundConverter() = default;
    ~CSoundConverter();
    CSoundConverter(const CSoundConverter&) = delete;
    CSoundConverter& operator=(const CSoundConverter&) = delete;

    // channels: 1 or 2. sampleRate: the output rate, 0 to keep each frame's.
    void SetOutput(int channels, int sampleRate);
    int Channels() const { return m_channels; }

    // Converts `frame`; writes at most `capacity` samples (all channels) to
    // `out` and keeps the rest. Returns the samples written, 0 when the frame
    // gave none or could not be converted.
    int Convert(const AVFrame* frame, int16_t* out, int capacity);
    // Hands out kept samples, at most `capacity`; 0 when none are kept.
    int TakeKept(int16_t* out, int capacity);
    bool HasKept() const { return m_keptFrom < m_kept.size(); }
    // Forgets kept sound and the converter's state (after a seek).
    void Reset();

private:
    bool Prepare(const AVFrame* frame);

    SwrContext* m_swr = nullptr;
    int m_channels = 2;
    int m_sampleRate = 0;
    // What the converter was made for.
    int m_inFormat = -1;
    int m_inRate = 0;
    uint64_t m_inLayoutKey = 0;
    int m_inChannels = 0;
    std::vector<int16_t> m_kept;
    size_t m_keptFrom = 0;
};
