// A screen rectangle whose right and bottom edges are the last pixel inside it.
#pragma once

#include <cstdint>

struct ScreenRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    int32_t Width() const { return right - left + 1; }
    int32_t Height() const { return bottom - top + 1; }
    bool operator==(const ScreenRect&) const = default;
};
