#include "engine/FrameGrabber.h"

#include <algorithm>

#include "engine/RecordingSession.h"

namespace {

// Light yellow while a frame is taken, red between grabs.
void FlashBand(const RecordingSession& session, bool grabbing) {
    if (grabbing)
        session.RegionFrame().FillBand(255, 255, 180);
    else
        session.RegionFrame().FillBand(255, 0, 80);
}

// The screen is copied in strips of at most this many bytes of its own 32-bit
// pixels. Under Wine every BitBlt from the screen reads an X image into memory
// taken for that call alone, and converts it for a 24-bit section in a second
// block; for a whole picture both are so large that the C library maps fresh
// pages for them each time, and faulting those in cost more than copying the
// pixels. Blocks of a strip's size are reused from call to call.
constexpr int kStripBytes = 256 * 1024;

int StripRows(int width) {
    return std::max(1, kStripBytes / (width * 4));
}

void DrawCursorInto(CRecordState& state, HDC dc, int x, int y) {
    HCURSOR cursor = CurrentCursor(state);
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

HCURSOR CurrentCursor(CRecordState& state) {
    if (NativeCursor saved = state.SavedCursor.load()) return static_cast<HCURSOR>(saved);
    HCURSOR own = ::GetCursor();
    if (own) state.SavedCursor.store(own);
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

BITMAPINFOHEADER* GrabFrame(RecordingSession& session, int left, int top, int width, int height,
                            int probe) {
    const CRecordParams& params = session.Params;
    const bool flash = params.ShowRegionFrame && probe == 0;
    HDC screen = ::GetDC(nullptr);
    if (flash) FlashBand(session, true);

    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, width, height, screen, left, top, SRCCOPY);

    POINT cursorAt{};
    ::GetCursorPos(&cursorAt);
    if (params.DrawCursor) DrawCursorInto(session.State, memory, cursorAt.x - left, cursorAt.y - top);

    ::SelectObject(memory, old);
    HGLOBAL block = BitmapToDib(bitmap, params.BitsPerPixel);
    auto* frame = block ? static_cast<BITMAPINFOHEADER*>(::GlobalLock(block)) : nullptr;
    if (block && !frame) ::GlobalFree(block);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);

    if (flash) FlashBand(session, false);
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

// 24 bits, what the encoder takes: a 32-bit section would spare BitBlt
// repacking the pixels, but converting 32-bit pixels for the encoder costs
// more than that saves.
CScreenGrabber::CScreenGrabber(RecordingSession& session) : m_session(session), m_memory(nullptr) {}

CScreenGrabber::~CScreenGrabber() = default;

bool CScreenGrabber::MakeSurface(HDC screen, int width, int height) {
    m_selected.reset();
    m_surface.Reset();
    m_bits = nullptr;
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;  // bottom-up, as the per-frame bitmaps
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(FrameStride(&header)) * static_cast<DWORD>(height);
    void* bits = nullptr;
    m_surface.Reset(::CreateDIBSection(screen, reinterpret_cast<const BITMAPINFO*>(&header),
                                       DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!m_memory || !m_surface || !bits) {
        m_surface.Reset();
        return false;
    }
    m_selected.emplace(m_memory, m_surface);
    m_header = header;
    m_bits = static_cast<uint8_t*>(bits);
    return true;
}

bool CScreenGrabber::Grab(int left, int top, int width, int height, int probe) {
    if (width <= 0 || height <= 0) return false;
    const bool flash = m_session.Params.ShowRegionFrame && probe == 0;
    fw::WindowDC screen(nullptr);
    if (flash) FlashBand(m_session, true);
    bool ok = (m_bits && m_header.biWidth == width && m_header.biHeight == height) ||
              MakeSurface(screen, width, height);
    if (ok) {
        // Where the rectangle leaves the screen nothing is copied: black, as
        // in a fresh bitmap, rather than what the last grab left there.
        const int x0 = ::GetSystemMetrics(SM_XVIRTUALSCREEN);
        const int y0 = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
        const bool onScreen = left >= x0 && top >= y0 &&
                              left + width <= x0 + ::GetSystemMetrics(SM_CXVIRTUALSCREEN) &&
                              top + height <= y0 + ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
        if (!onScreen) ::PatBlt(m_memory, 0, 0, width, height, BLACKNESS);
        const int rows = StripRows(width);
        for (int y = 0; y < height; y += rows)
            ::BitBlt(m_memory, 0, y, width, std::min(rows, height - y), screen, left, top + y,
                     SRCCOPY);
        POINT cursorAt{};
        ::GetCursorPos(&cursorAt);
        if (m_session.Params.DrawCursor)
            DrawCursorInto(m_session.State, m_memory, cursorAt.x - left, cursorAt.y - top);
        ::GdiFlush();  // the pixels are read straight from the section
    }
    if (flash) FlashBand(m_session, false);
    return ok;
}
