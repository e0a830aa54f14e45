#include "tests/support/bitmap_files.h"

#include <cstdlib>
#include <vector>

#include "skin/ImageFiles.h"

namespace pictures {
namespace {
bool LoadImageFile(const std::string& path, skin::RgbImage& image) {
    std::vector<uint8_t> bytes;
    return skin::ReadFile(path, bytes) && skin::DecodeBmp(bytes, image);
}
}  // namespace

COLORREF BitmapPixel(const std::string& path, int x, int y) {
    skin::RgbImage image;
    if (!LoadImageFile(path, image) || x < 0 || y < 0 || x >= image.width || y >= image.height)
        return CLR_INVALID;
    const uint8_t* p = image.Pixel(x, y);
    return RGB(p[0], p[1], p[2]);
}

SIZE BitmapSize(const std::string& path) {
    skin::RgbImage image;
    if (!LoadImageFile(path, image)) return {0, 0};
    return {image.width, image.height};
}

bool Near(COLORREF a, COLORREF b, int tolerance) {
    if (a == CLR_INVALID || b == CLR_INVALID) return false;
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
           std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

}  // namespace pictures
