#include "controls/ColourKey.h"

#include <cstddef>

namespace colourkey {

std::vector<uint8_t> MonochromeMask(const uint32_t* pixels, int32_t width, int32_t height,
                                    uint32_t key) {
    if (width <= 0 || height <= 0) return {};
    const size_t stride = (static_cast<size_t>(width) + 15) / 16 * 2;
    std::vector<uint8_t> mask(stride * static_cast<size_t>(height), 0);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            if ((pixels[static_cast<size_t>(y) * width + x] & 0xFFFFFF) != (key & 0xFFFFFF)) continue;
            mask[static_cast<size_t>(y) * stride + x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
        }
    }
    return mask;
}

}  // namespace colourkey
