// The colour-key mask of a picture: a monochrome bitmap, white where the
// picture has the transparent colour and black elsewhere, in the layout that
// a 1-bit device-dependent bitmap takes (rows top first, each padded to
// 16 bits, the leftmost pixel in the highest bit). No window system here.
#pragma once

#include <cstdint>
#include <vector>

namespace colourkey {

// `pixels` are width x height 0x00RRGGBB values, top row first.
std::vector<uint8_t> MonochromeMask(const uint32_t* pixels, int32_t width, int32_t height,
                                    uint32_t key);

}  // namespace colourkey
