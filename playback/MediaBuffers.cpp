#include "playback/MediaBuffers.h"

#include <algorithm>

int64_t PictureBufferBytes(int32_t width, int32_t height) {
    if (width <= 0 || height <= 0) return 0;
    const int64_t pixels = int64_t{width} * height;
    if (pixels > kMaxPictureBytes) return 0;
    const int64_t nominal = pixels * 3 / 2;
    if (nominal > kMaxPictureBytes) return 0;
    const int64_t planes = pixels + 2 * int64_t{width / 2} * (height / 2);
    return std::max(nominal, planes);
}
