// The preview player's pace and progress, and the sizes of what it holds.
// Platform-free.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Sound-buffer segments per second, one per shown picture: 24 for 23.97 fps,
// 30 for 29.97, the truncated rate for rates in (0, 100), else 24. A file
// without pictures ticks once a second.
int PreviewClockRate(bool hasVideo, double frameRate);

// Ticks the whole file takes for the progress count: duration × frame rate,
// or duration × 24 for sound only (so the slider of a sound-only file moves
// at 1/24 of the real progress). 0 or less means nothing to play.
int64_t PreviewTotalFrames(bool hasVideo, double duration, double frameRate);

// The tick a start at `percent` begins with (percent clamped to 0..100).
int64_t PreviewStartFrame(int percent, int64_t totalFrames);

// Progress in whole percent, truncated.
int PreviewPercent(int64_t currentFrame, int64_t totalFrames);

// The sound waiting to be written into the sound buffer, one segment at a
// time. Appends beyond the capacity are cut, never written past it.
class PreviewAudioQueue {
public:
    // Big enough for a segment plus the top-up margin plus one decoded block,
    // and at least a mebibyte.
    PreviewAudioQueue(size_t segmentBytes, size_t blockBytes);

    size_t Fill() const { return m_fill; }
    size_t Capacity() const { return m_bytes.size(); }
    // True while the queue wants more sound: less than a segment + 1000 bytes.
    bool WantsMore() const { return m_fill < m_segment + 1000; }
    // Appends what fits; returns the bytes taken.
    size_t Append(const uint8_t* data, size_t count);
    // Moves the first segment into `out` (segment bytes); a queue holding
    // less gives silence for the rest.
    void TakeSegment(uint8_t* out);

private:
    std::vector<uint8_t> m_bytes;
    size_t m_segment;
    size_t m_fill = 0;
};
