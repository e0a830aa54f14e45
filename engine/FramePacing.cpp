#include "engine/FramePacing.h"

#include <algorithm>

namespace pacing {
namespace {

int32_t SaneInterval(int32_t intervalMs) {
    return std::max(intervalMs, 1);
}

}  // namespace

uint32_t PositionAt(uint32_t elapsedMs, int32_t intervalMs) {
    const double perSecond = 1000.0 / SaneInterval(intervalMs);
    return static_cast<uint32_t>(perSecond * (elapsedMs * 0.001));
}

uint32_t PositionDueMs(uint32_t position, int32_t intervalMs) {
    const int32_t interval = SaneInterval(intervalMs);
    const uint64_t limit = UINT32_MAX;
    uint64_t due = std::min<uint64_t>(uint64_t{position} * interval, limit);
    // The product is the exact boundary; the floating-point rule may land a
    // millisecond either side of it.
    while (due > 0 && PositionAt(static_cast<uint32_t>(due - 1), interval) >= position) --due;
    while (due < limit && PositionAt(static_cast<uint32_t>(due), interval) < position) ++due;
    return static_cast<uint32_t>(due);
}

}  // namespace pacing
