#include "engine/AudioProducer.h"

#include <algorithm>

#include "engine/RecordParams.h"

namespace {
constexpr int32_t kFrame = engine::kAudioBlockAlign;

int64_t WholeFrames(int64_t bytes) {
    return bytes - bytes % kFrame;
}
}  // namespace

int32_t CAudioTrackAligner::Accept(CAudioRing& ring, const uint8_t* data, int32_t n,
                                   bool videoStarted, uint32_t videoStartMs,
                                   uint32_t deliveryEndMs) {
    n -= n % kFrame;
    if (!videoStarted || !data || n <= 0) return 0;
    // Wrap-safe: the multimedia clock wraps every 49.7 days.
    const int32_t endMs = static_cast<int32_t>(deliveryEndMs - videoStartMs);
    if (endMs <= 0) return 0;  // all of it was heard before the first picture
    const int64_t endByte = WholeFrames(int64_t{endMs} * engine::kAudioBytesPerSecond / 1000);
    const int64_t startByte = endByte - n;  // where the delivery belongs

    int32_t appended = 0;
    int32_t skip = 0;
    const int64_t gap = startByte - m_written;
    if (gap > kToleranceBytes) {
        const int32_t silence =
            ring.AppendSilenceWhatFits(static_cast<int32_t>(std::min<int64_t>(gap, n * 8)));
        m_silence += silence;
        if (m_firstStart < 0) m_lateStart = silence;
        appended += silence;
    } else if (gap < -kToleranceBytes) {
        skip = static_cast<int32_t>(std::min<int64_t>(-gap, n));
        m_overlap += skip;
    }
    m_delivered += std::min<int64_t>(n, endByte);
    if (m_firstStart < 0) m_firstStart = std::max<int64_t>(startByte, 0);
    m_lastEnd = endByte;
    appended += ring.AppendWhatFits(data + skip, n - skip);
    m_written += appended;
    return appended;
}

int32_t CAudioTrackAligner::FinishAt(CAudioRing& ring, bool videoStarted, uint32_t videoStartMs,
                                     uint32_t stopMs) {
    if (!videoStarted || m_firstStart < 0) return 0;
    const int32_t stopAt = static_cast<int32_t>(stopMs - videoStartMs);
    if (stopAt <= 0) return 0;
    const int64_t missing = WholeFrames(int64_t{stopAt} * engine::kAudioBytesPerSecond / 1000) - m_written;
    if (missing <= kToleranceBytes) return 0;
    const int32_t silence =
        ring.AppendSilenceWhatFits(static_cast<int32_t>(std::min<int64_t>(missing, kToleranceBytes * 50)));
    m_silence += silence;
    m_written += silence;
    return silence;
}
