#include "editing/FitRules.h"

#include <algorithm>

namespace fit {

namespace {

// numerator / denominator to the nearest even number, within 2..limit.
int32_t EvenPart(int64_t numerator, int64_t denominator, int32_t limit) {
    const int64_t even = 2 * ((numerator + denominator) / (2 * denominator));
    return static_cast<int32_t>(std::clamp<int64_t>(even, 2, limit));
}

int32_t Centred(int32_t room, int32_t size) {
    return ((room - size) / 2) & ~1;
}

}  // namespace

Placement Place(int32_t width, int32_t height, int32_t wantedWidth, int32_t wantedHeight, int32_t mode) {
    width = std::max(width & ~1, 2);
    height = std::max(height & ~1, 2);
    Placement p;
    const bool asPicture = wantedWidth <= 0 || wantedHeight <= 0;
    p.outWidth = asPicture ? width : std::max(wantedWidth & ~1, 2);
    p.outHeight = asPicture ? height : std::max(wantedHeight & ~1, 2);
    p.source = {0, 0, width, height};
    p.target = {0, 0, p.outWidth, p.outHeight};
    // Which side limits: the picture is wider than the output when
    // width / height > outWidth / outHeight.
    const int64_t pictureSpan = int64_t(width) * p.outHeight, outSpan = int64_t(p.outWidth) * height;
    if (pictureSpan == outSpan || mode == kFullScreen) return p;

    if (mode == kPanAndScan) {
        if (pictureSpan > outSpan)
            p.source.width = EvenPart(int64_t(height) * p.outWidth, p.outHeight, width);
        else
            p.source.height = EvenPart(int64_t(width) * p.outHeight, p.outWidth, height);
        p.source.x = Centred(width, p.source.width);
        p.source.y = Centred(height, p.source.height);
        return p;
    }
    if (pictureSpan > outSpan)
        p.target.height = EvenPart(int64_t(height) * p.outWidth, width, p.outHeight);
    else
        p.target.width = EvenPart(int64_t(width) * p.outHeight, height, p.outWidth);
    p.target.x = Centred(p.outWidth, p.target.width);
    p.target.y = Centred(p.outHeight, p.target.height);
    return p;
}

}  // namespace fit
