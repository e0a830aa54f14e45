// Truncation of values the user gave as exact decimals: typed times, marker
// percents and the fractions and milliseconds made from them. Platform-free.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

// A double cannot hold 0.29 or 0.3 exactly, so 0.29 × 100 comes out as
// 28.999999999999996 and a plain cast gives 28, one below what was meant. A
// value a few parts in 10^12 short of a whole number counts as that number;
// anything further below it is truncated as usual. NaN gives 0; values past
// the int32 range are clamped to it.
inline int32_t TruncateDecimal(double value) {
    if (!(value == value)) return 0;
    const double whole = std::ceil(value);
    if (whole - value < 1e-12 * std::fmax(1.0, std::fabs(value))) value = whole;
    if (!(value > std::numeric_limits<int32_t>::min())) return std::numeric_limits<int32_t>::min();
    if (!(value < std::numeric_limits<int32_t>::max())) return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(value);
}
