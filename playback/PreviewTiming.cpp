#include "playback/PreviewTiming.h"

#include <algorithm>
#include <cmath>
#include <cstring>

int PreviewClockRate(bool hasVideo, double frameRate) {
    if (!hasVideo) return 1;
    if (std::fabs(frameRate - 23.97) <= 0.01) return 24;
    if (std::fabs(frameRate - 29.97) <= 0.01) return 30;
    if (frameRate > 0 && frameRate < 100) return static_cast<int>(frameRate);
    return 24;
}

int64_t PreviewTotalFrames(bool hasVideo, double duration, double frameRate) {
    const double total = duration * (hasVideo ? frameRate : 24.0);
    // NaN and absurd values count as nothing to play.
    if (!(total > 0) || total > 1e12) return 0;
    return static_cast<int64_t>(total);
}

// Both in whole numbers: through doubles, 29 % of 100 frames would start at
// frame 28 (0.29 × 100 = 28.999999999999996). Frame counts stay below 10^12
// and the percent within 0..100, so the products fit.
int64_t PreviewStartFrame(int percent, int64_t totalFrames) {
    return int64_t{std::clamp(percent, 0, 100)} * totalFrames / 100;
}

int PreviewPercent(int64_t currentFrame, int64_t totalFrames) {
    if (totalFrames <= 0) return 0;
    return static_cast<int>(currentFrame * 100 / totalFrames);
}

PreviewAudioQueue::PreviewAudioQueue(size_t segmentBytes, size_t blockBytes)
    : m_bytes(std::max<size_t>(1048576, segmentBytes + 1000 + blockBytes)), m_segment(segmentBytes) {}

size_t PreviewAudioQueue::Append(const uint8_t* data, size_t count) {
    const size_t taken = std::min(count, m_bytes.size() - m_fill);
    if (taken) std::memcpy(m_bytes.data() + m_fill, data, taken);
    m_fill += taken;
    return taken;
}

void PreviewAudioQueue::TakeSegment(uint8_t* out) {
    const size_t taken = std::min(m_fill, m_segment);
    if (taken) std::memcpy(out, m_bytes.data(), taken);
    std::memset(out + taken, 0, m_segment - taken);
    std::memmove(m_bytes.data(), m_bytes.data() + taken, m_fill - taken);
    m_fill -= taken;
}
