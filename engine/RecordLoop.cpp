#include "engine/RecordLoop.h"

#include <algorithm>

#include "engine/FramePacing.h"
#include "engine/RecordParams.h"

namespace {

// Above the clock-paced limit: the whole interval in 50 ms slices, then the
// remainder, leaving early on a stop.
void SleepWholeInterval(IRecordSession& s, int32_t intervalMs) {
    for (int32_t i = 0; i < intervalMs / engine::kSleepSliceMs; ++i) {
        s.SleepMs(engine::kSleepSliceMs);
        if (!s.Recording()) return;
    }
    if (intervalMs % engine::kSleepSliceMs) s.SleepMs(intervalMs % engine::kSleepSliceMs);
}

// Clock-paced: until the next position is due, so that a turn's own work
// does not push every later turn back by its length.
void SleepUntil(IRecordSession& s, uint32_t start, uint32_t dueElapsed) {
    while (s.Recording()) {
        const int64_t remaining = int64_t{dueElapsed} - (s.NowMs() - start);
        if (remaining <= 0) return;
        s.SleepMs(static_cast<uint32_t>(std::min<int64_t>(remaining, engine::kSleepSliceMs)));
    }
}

}  // namespace

RecordLoopResult RunRecordLoop(IRecordSession& s, int32_t intervalMs, int32_t left, int32_t top) {
    RecordLoopResult result;
    const uint32_t start = s.NowMs();
    bool first = true;
    uint32_t index = 0;
    uint32_t lastWritten = 0;
    uint32_t refreshStep = 0;
    const bool clockPaced = pacing::FollowsClock(intervalMs);

    while (s.Recording()) {
        ++result.turns;
        uint32_t elapsed = 0;
        if (first)
            s.MarkVideoStarted();
        else
            elapsed = s.NowMs() - start;
        s.TakeOrigin(left, top);
        if (!s.GrabFrame(left, top)) {
            result.failed = true;
            break;
        }
        const bool firstFrame = first;
        if (first)
            first = false;
        else if (!clockPaced)
            ++index;
        else
            index = pacing::PositionAt(elapsed, intervalMs);

        // Only the first frame goes to position 0; a later turn in a period
        // that already has its picture writes nothing.
        if (firstFrame || index > lastWritten) {
            if (!s.WriteAudioChunkIfDue() || !s.WriteFrame(index)) {
                s.FreeFrame();
                result.failed = true;
                break;
            }
            lastWritten = index;
            ++result.framesWritten;
            if (elapsed / engine::kRefreshPeriodMs != refreshStep) {
                refreshStep = elapsed / engine::kRefreshPeriodMs;
                s.RequestRepaint();
            }
        }
        s.FreeFrame();

        if (clockPaced)
            SleepUntil(s, start, pacing::PositionDueMs(index + 1, intervalMs));
        else
            SleepWholeInterval(s, intervalMs);
    }
    result.lastPosition = lastWritten;
    return result;
}
