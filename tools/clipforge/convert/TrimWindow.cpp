#include "tools/clipforge/convert/TrimWindow.h"

#include <algorithm>
#include <cmath>

extern "C" {
#include <libavutil/mathematics.h>
}

namespace clipforge {

namespace {

// The first position at or after `ms`.
int64_t PositionAt(int32_t ms, AVRational timeBase) {
    return av_rescale_rnd(ms, timeBase.den, int64_t(timeBase.num) * 1000, AV_ROUND_UP);
}

}  // namespace

int64_t TrimWindow::SampleAt(int64_t pts, int rate) const {
    return av_rescale_rnd(pts, int64_t(timeBase.num) * rate, timeBase.den, AV_ROUND_NEAR_INF);
}

double TrimWindow::KeptSeconds(double fullSeconds) const {
    // The recording's positions, counted as the converter counts them.
    if (!(fullSeconds > 0)) return 0.0;
    const int64_t positions = std::llround(std::min(fullSeconds / av_q2d(timeBase), 9e15));
    const int64_t end = std::min(endPts, positions);
    return end > firstPts ? (end - firstPts) * av_q2d(timeBase) : 0.0;
}

TrimWindow TrimFor(int32_t trimStartMs, int32_t trimEndMs, AVRational timeBase) {
    TrimWindow w;
    if (timeBase.num <= 0 || timeBase.den <= 0) return w;
    w.timeBase = timeBase;
    w.firstPts = PositionAt(std::max(trimStartMs, 0), timeBase);
    if (trimEndMs > trimStartMs) w.endPts = PositionAt(trimEndMs, timeBase);
    return w;
}

}  // namespace clipforge
