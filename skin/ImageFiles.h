// The skin's file formats: 24-bit Windows bitmaps (what LoadImage reads from
// the skin folders and windres compiles) and icons with an alpha channel.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "skin/Canvas.h"

namespace skin {

// 24-bit pixels, top row first, 3 bytes per pixel in R, G, B order.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;

    const uint8_t* Pixel(int x, int y) const {
        return &rgb[(static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 3];
    }
};

// Flattens a canvas onto an opaque background.
RgbImage Flatten(const Canvas& canvas, const Rgba& background = {0, 0, 0, 1});

// Flattens a canvas drawn to sit on `background`, with `key` where it is
// (almost) fully transparent: the colour-keyed pictures of the sliders.
RgbImage FlattenKeyed(const Canvas& canvas, const Rgba& background, const Rgba& key);

// The bytes of a BITMAPFILEHEADER + BITMAPINFOHEADER 24-bit bottom-up file.
std::vector<uint8_t> EncodeBmp(const RgbImage& image);
// Reads a 24-bit uncompressed bitmap file (bottom-up or top-down). False when
// the bytes are not one.
bool DecodeBmp(const std::vector<uint8_t>& bytes, RgbImage& image);

// The bytes of an .ico file holding one 32-bit image per canvas.
std::vector<uint8_t> EncodeIco(const std::vector<Canvas>& images);

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes);
bool ReadFile(const std::string& path, std::vector<uint8_t>& bytes);

}  // namespace skin
