#include "engine/FrameGrabber.h"

#include "engine/RecordParams.h"
#include "engine/RecordState.h"
#include "engine/RecordWindows.h"

namespace {

// Light yellow while a frame is taken, red between grabs.
void FlashBand(bool grabbing) {
    if (grabbing)
        RegionFrame().FillBand(255, 255, 180);
    else
        RegionFrame().FillBand(255, 0, 80);
}

void DrawCursorInto(HDC dc, int x, int y) {
    HCURSOR cursor = CurrentCursor();
    if (!cursor) return;
    ICONINFO info{};
    if (::GetIconInfo(cursor, &info)) {
        x -= static_cast<int>(info.xHotspot);
        y -= static_cast<int>(info.yHotspot);
        if (info.hbmMask) ::DeleteObject(info.hbmMask);
        if (info.hbmColor) ::DeleteObject(info.hbmColor);
    }
    ::DrawIcon(dc, x, y, cursor);
}

}  // namespace

HCURSOR CurrentCursor() {
    if (NativeCursor saved = g_recordState.SavedCursor.load()) return static_cast<HCURSOR>(saved);
    HCURSOR own = ::GetCursor();
    if (own) g_recordState.SavedCursor.store(own);
    return own;
}

HGLOBAL BitmapToDib(HBITMAP bitmap, int bitCount) {
    BITMAP bm{};
    if (!::GetObjectA(bitmap, sizeof bm, &bm)) return nullptr;
    const DWORD stride = ((bm.bmWidth * bitCount + 31) >> 5) << 2;
    const DWORD imageSize = stride * bm.bmHeight;
    const DWORD paletteEntries = bitCount <= 8 ? 1u << bitCount : 0;
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT,
                                  sizeof(BITMAPINFOHEADER) + paletteEntries * 4 + imageSize);
    if (!block) return nullptr;
    auto* header = static_cast<BITMAPINFOHEADER*>(::GlobalLock(block));
    if (!header) {
        ::GlobalFree(block);
        return nullptr;
    }
    header->biSize = sizeof(BITMAPINFOHEADER);
    header->biWidth = bm.bmWidth;
    header->biHeight = bm.bmHeight;
    header->biPlanes = 1;
    header->biBitCount = static_cast<WORD>(bitCount);
    header->biCompression = BI_RGB;
    header->biSizeImage = imageSize;
    header->biClrUsed = paletteEntries;

    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    auto* bits = reinterpret_cast<uint8_t*>(header) + sizeof(BITMAPINFOHEADER) + paletteEntries * 4;
    ::GetDIBits(dc, bitmap, 0, bm.bmHeight, bits, reinterpret_cast<BITMAPINFO*>(header),
                DIB_RGB_COLORS);
    header->biClrUsed = paletteEntries;  // the read may change it
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
    ::GlobalUnlock(block);
    return block;
}

BITMAPINFOHEADER* GrabFrame(int left, int top, int width, int height, int probe) {
    const bool flash = g_recordParams.ShowRegionFrame && probe == 0;
    HDC screen = ::GetDC(nullptr);
    if (flash) FlashBand(true);

    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, width, height, screen, left, top, SRCCOPY);

    POINT cursorAt{};
    ::GetCursorPos(&cursorAt);
    if (g_recordParams.DrawCursor) DrawCursorInto(memory, cursorAt.x - left, cursorAt.y - top);

    ::SelectObject(memory, old);
    HGLOBAL block = BitmapToDib(bitmap, g_recordParams.BitsPerPixel);
    auto* frame = block ? static_cast<BITMAPINFOHEADER*>(::GlobalLock(block)) : nullptr;
    if (block && !frame) ::GlobalFree(block);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);

    if (flash) FlashBand(false);
    ::ReleaseDC(nullptr, screen);
    return frame;
}

void FreeFrame(void* frame) {
    if (!frame) return;
    HGLOBAL block = ::GlobalHandle(frame);
    if (!block) return;
    ::GlobalUnlock(block);
    ::GlobalFree(block);
}
