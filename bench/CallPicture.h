// A conversation-like picture for the benchmarks: still text-like rows
// around a moving "camera" area, as a bottom-up 24-bit bitmap.
#pragma once

#include <cstdint>
#include <vector>

void PaintCallPicture(std::vector<uint8_t>& dib, int w, int h, int frame);
