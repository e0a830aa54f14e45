#include "framework/BackgroundBitmap.h"

#include "framework/Palette.h"

namespace fw {

void BackgroundBitmap::Clear() {
    m_bitmap.Reset();
    m_palette.Reset();
    m_width = m_height = 0;
}

bool BackgroundBitmap::Load(const char* path) {
    Clear();
    if (!path) return false;
    fw::Bitmap bitmap(static_cast<HBITMAP>(
        ::LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION | LR_LOADFROMFILE)));
    BITMAP size{};
    if (!bitmap || !::GetObjectA(bitmap, sizeof size, &size) || size.bmWidth <= 0 ||
        size.bmHeight <= 0)
        return false;
    m_palette.Reset(CreateBitmapPalette(bitmap));
    m_bitmap = std::move(bitmap);
    m_width = size.bmWidth;
    m_height = size.bmHeight;
    return true;
}

}  // namespace fw
