// Where a frame goes on the video timeline. Positions follow the wall clock:
// the frame taken `elapsed` ms after time zero lands at the position whose
// period contains that moment, so the file always plays as long as the
// recording lasted, however many pictures the machine managed to take.
#pragma once

#include <cstdint>

namespace pacing {

// Frame intervals above this give one position per loop turn instead.
constexpr int32_t kClockPacedLimitMs = 1000;

inline bool FollowsClock(int32_t intervalMs) {
    return intervalMs <= kClockPacedLimitMs;
}

// Truncation of (1000 / interval) x (elapsed / 1000), in double precision.
uint32_t PositionAt(uint32_t elapsedMs, int32_t intervalMs);

// The first elapsed millisecond at which PositionAt reaches `position`.
uint32_t PositionDueMs(uint32_t position, int32_t intervalMs);

}  // namespace pacing
