#include "tools/mousetap/CursorShape.h"

#include <vector>

namespace {

// The bitmap's pixels as 32-bit top-down rows.
bool ReadPixels(HBITMAP bitmap, LONG width, LONG height, std::vector<DWORD>& pixels) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    pixels.assign(static_cast<size_t>(width) * height, 0);
    HDC dc = ::CreateCompatibleDC(nullptr);
    const int rows = ::GetDIBits(dc, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
    ::DeleteDC(dc);
    return rows == height;
}

}  // namespace

bool CaptureShape(HCURSOR cursor, CursorShape& shape) {
    ICONINFO info{};
    if (!cursor || !::GetIconInfo(cursor, &info)) return false;
    BITMAP mask{};
    bool ok = info.hbmMask && ::GetObjectA(info.hbmMask, sizeof mask, &mask);
    // A monochrome cursor stacks the AND mask over the XOR mask.
    const LONG width = mask.bmWidth;
    const LONG height = info.hbmColor ? mask.bmHeight : mask.bmHeight / 2;
    ok = ok && width > 0 && height > 0 && width <= CursorShape::kMaxSide &&
         height <= CursorShape::kMaxSide;
    std::vector<DWORD> maskPixels, colorPixels;
    ok = ok && ReadPixels(info.hbmMask, width, mask.bmHeight, maskPixels);
    if (ok && info.hbmColor) ok = ReadPixels(info.hbmColor, width, height, colorPixels);
    if (ok) {
        shape.hotX = static_cast<LONG>(info.xHotspot);
        shape.hotY = static_cast<LONG>(info.yHotspot);
        shape.width = width;
        shape.height = height;
        for (LONG i = 0; i < width * height; ++i) {
            shape.andMask[i] = (maskPixels[i] & 0xFFFFFF) ? 1 : 0;
            if (info.hbmColor)
                shape.color[i] = colorPixels[i];
            else
                shape.color[i] = (maskPixels[width * height + i] & 0xFFFFFF) ? 0xFFFFFF : 0;
        }
    }
    if (info.hbmMask) ::DeleteObject(info.hbmMask);
    if (info.hbmColor) ::DeleteObject(info.hbmColor);
    return ok;
}

HCURSOR CreateCursorFrom(const CursorShape& shape) {
    const LONG width = shape.width;
    const LONG height = shape.height;
    if (width <= 0 || height <= 0 || width > CursorShape::kMaxSide ||
        height > CursorShape::kMaxSide)
        return nullptr;
    // Monochrome rows are padded to 16 bits; a set bit keeps the screen.
    const LONG maskStride = ((width + 15) / 16) * 2;
    std::vector<BYTE> maskBits(static_cast<size_t>(maskStride) * height, 0);
    for (LONG y = 0; y < height; ++y)
        for (LONG x = 0; x < width; ++x)
            if (shape.andMask[y * width + x])
                maskBits[y * maskStride + x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
    HBITMAP mask = ::CreateBitmap(width, height, 1, 1, maskBits.data());
    HBITMAP color = ::CreateBitmap(width, height, 1, 32, shape.color);
    HCURSOR cursor = nullptr;
    if (mask && color) {
        ICONINFO info{};
        info.fIcon = FALSE;
        info.xHotspot = static_cast<DWORD>(shape.hotX);
        info.yHotspot = static_cast<DWORD>(shape.hotY);
        info.hbmMask = mask;
        info.hbmColor = color;
        cursor = ::CreateIconIndirect(&info);
    }
    if (mask) ::DeleteObject(mask);
    if (color) ::DeleteObject(color);
    return cursor;
}
