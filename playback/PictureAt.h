// One picture of a recording, decoded without playing: what a preview shows
// while idle and what the main window keeps for its snapshot. Platform-free.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct PictureAt {
    std::vector<uint8_t> yuv;  // planar YUV 4:2:0, chroma (w/2) × (h/2)
    int width = 0;
    int height = 0;
};

// Opens `path`, seeks to `fraction` (0..1) and decodes three packets, enough
// to reach a picture from the key frame the seek lands on. False when the
// file cannot be opened or sought, has no pictures or none decoded.
bool DecodePictureAt(const std::string& path, double fraction, PictureAt& out);
