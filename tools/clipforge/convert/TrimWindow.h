// The part of a recording a trim keeps, in the pictures' positions and the
// sound's samples. Frame-accurate: the first picture kept is the one at or
// after the trim's start, the sound is cut at that picture's instant, and
// the end likewise; the MP4 then starts at time 0.
#pragma once

#include <cstdint>
#include <limits>

extern "C" {
#include <libavutil/rational.h>
}

namespace clipforge {

struct TrimWindow {
    static constexpr int64_t kOpenEnd = std::numeric_limits<int64_t>::max();

    AVRational timeBase{1, 25};  // of the pictures' positions
    int64_t firstPts = 0;        // the first position kept
    int64_t endPts = kOpenEnd;   // the first position no longer kept

    bool Trims() const { return firstPts > 0 || endPts != kOpenEnd; }
    // The sample of a track at `rate` that sounds when position `pts` shows.
    int64_t SampleAt(int64_t pts, int rate) const;
    int64_t FirstSample(int rate) const { return SampleAt(firstPts, rate); }
    int64_t EndSample(int rate) const { return endPts == kOpenEnd ? kOpenEnd : SampleAt(endPts, rate); }
    // Seconds kept of a recording that long (0 when the trim starts after it).
    double KeptSeconds(double fullSeconds) const;
};

// trimEndMs 0: to the end.
TrimWindow TrimFor(int32_t trimStartMs, int32_t trimEndMs, AVRational timeBase);

}  // namespace clipforge
