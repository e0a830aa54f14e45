// How a picture fills an output picture of another size, by the crop
// dialog's zoom modes: Letterbox scales it to fit and leaves black bars,
// Pan and scan scales it to fill and cuts the overflow (centred), Full
// screen stretches it. Sizes and positions are even: 4:2:0 chroma comes in
// 2 × 2 blocks. No window system here.
#pragma once

#include <cstdint>

#include "editing/EditFile.h"

namespace fit {

enum Mode : int32_t { kLetterbox = 0, kPanAndScan = 1, kFullScreen = 2 };
inline constexpr const char* kModeNames[] = {"letterbox", "pan and scan", "full screen"};

struct Placement {
    editfile::PixelRect source;  // the part of the picture shown, in its pixels
    editfile::PixelRect target;  // where it lands in the output picture
    int32_t outWidth = 0, outHeight = 0;
    bool operator==(const Placement&) const = default;
};

// A width × height picture (at least 2 × 2) in an output of wantedWidth ×
// wantedHeight; 0 for either means the picture's own size. An unknown mode
// counts as Letterbox, the neutral one.
Placement Place(int32_t width, int32_t height, int32_t wantedWidth, int32_t wantedHeight, int32_t mode);

}  // namespace fit
