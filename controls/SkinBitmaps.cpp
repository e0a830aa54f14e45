#include "controls/SkinBitmaps.h"

#include <cstdint>
#include <vector>

#include "controls/ColourKey.h"

namespace skinbmp {

HBITMAP LoadResourceBitmap(int id) {
    return static_cast<HBITMAP>(::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id),
                                             IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
}

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP info{};
    if (!bitmap || !::GetObjectA(bitmap, sizeof info, &info)) return {0, 0};
    return {info.bmWidth, info.bmHeight};
}

void Stretch(HDC dc, const RECT& area, HBITMAP bitmap) {
    const SIZE size = BitmapSize(bitmap);
    if (!size.cx || !size.cy) return;
    fw::MemoryDC memory(dc);
    fw::ScopedSelect select(memory, bitmap);
    int oldMode = ::SetStretchBltMode(dc, COLORONCOLOR);
    ::StretchBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, memory, 0, 0,
                 size.cx, size.cy, SRCCOPY);
    ::SetStretchBltMode(dc, oldMode);
}

void Copy(HDC dc, int x, int y, HBITMAP bitmap) {
    const SIZE size = BitmapSize(bitmap);
    if (!size.cx || !size.cy) return;
    fw::MemoryDC memory(dc);
    fw::ScopedSelect select(memory, bitmap);
    ::BitBlt(dc, x, y, size.cx, size.cy, memory, 0, 0, SRCCOPY);
}

void PaintBuffered(HWND hwnd, const std::function<void(HDC, const RECT& client)>& paint) {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(hwnd, &ps);
    RECT client;
    ::GetClientRect(hwnd, &client);
    fw::MemoryDC memory(dc);
    fw::Bitmap canvas(::CreateCompatibleBitmap(dc, client.right, client.bottom));
    {
        fw::ScopedSelect select(memory, canvas);
        paint(memory, client);
        ::BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
    }
    ::EndPaint(hwnd, &ps);
}

void KeyedBitmap::Reset(HBITMAP picture) {
    m_picture.Reset(picture);
    m_mask.Reset();
    m_size = BitmapSize(picture);
    if (!picture || !m_size.cx || !m_size.cy) return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = m_size.cx;
    info.bmiHeader.biHeight = -m_size.cy;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<uint32_t> pixels(static_cast<size_t>(m_size.cx) * static_cast<size_t>(m_size.cy));
    fw::WindowDC screen(nullptr);
    if (!::GetDIBits(screen, picture, 0, static_cast<UINT>(m_size.cy), pixels.data(), &info, DIB_RGB_COLORS))
        return;
    const uint32_t key = static_cast<uint32_t>(GetRValue(kTransparent)) << 16 |
                         static_cast<uint32_t>(GetGValue(kTransparent)) << 8 | GetBValue(kTransparent);
    std::vector<uint8_t> mask = colourkey::MonochromeMask(pixels.data(), m_size.cx, m_size.cy, key);
    m_mask.Reset(::CreateBitmap(m_size.cx, m_size.cy, 1, 1, mask.data()));
}

bool KeyedBitmap::Load(int resourceId) {
    Reset(LoadResourceBitmap(resourceId));
    return static_cast<bool>(m_picture);
}

void KeyedBitmap::DrawTransparent(HDC dc, int x, int y) const {
    if (!m_mask) {
        DrawOpaque(dc, x, y);
        return;
    }
    fw::MemoryDC picture(dc);
    fw::ScopedSelect selectPicture(picture, m_picture);
    fw::MemoryDC mask(dc);
    fw::ScopedSelect selectMask(mask, m_mask);
    // The mask's white must stay white on the way into a colour context.
    COLORREF oldBack = ::SetBkColor(dc, RGB(255, 255, 255));
    COLORREF oldText = ::SetTextColor(dc, RGB(0, 0, 0));
    ::BitBlt(dc, x, y, m_size.cx, m_size.cy, picture, 0, 0, SRCINVERT);
    ::BitBlt(dc, x, y, m_size.cx, m_size.cy, mask, 0, 0, SRCAND);
    ::BitBlt(dc, x, y, m_size.cx, m_size.cy, picture, 0, 0, SRCINVERT);
    ::SetBkColor(dc, oldBack);
    ::SetTextColor(dc, oldText);
}

void KeyedBitmap::DrawOpaque(HDC dc, int x, int y) const {
    Copy(dc, x, y, m_picture);
}

}  // namespace skinbmp
