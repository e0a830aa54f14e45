// Copies a rectangle of the screen into a packed, bottom-up device-independent
// bitmap with the mouse cursor drawn in, and makes the region frame flash
// around each grab.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

#include "framework/Gdi.h"

class CRecordState;
class RecordingSession;

// A grabbed frame: a locked movable global block holding the bitmap header,
// the palette (8 bits or fewer only) and the pixel rows, taken with the
// session's parameters. Null when the block could not be allocated or locked.
BITMAPINFOHEADER* GrabFrame(RecordingSession& session, int left, int top, int width, int height,
                            int probe);
// Unlocks and frees the block that `frame` points into; null does nothing.
void FreeFrame(void* frame);
// Converts a bitmap (not selected into any context) into an unlocked movable
// block; null when the memory cannot be allocated.
HGLOBAL BitmapToDib(HBITMAP bitmap, int bitCount);
// The cursor to draw: the one saved in `state`, else this thread's own (then
// saved there).
HCURSOR CurrentCursor(CRecordState& state);

// The pixel rows of a frame: after the header and the palette.
inline const uint8_t* FrameBits(const BITMAPINFOHEADER* frame) {
    return reinterpret_cast<const uint8_t*>(frame) + frame->biSize + frame->biClrUsed * 4;
}
inline int FrameStride(const BITMAPINFOHEADER* frame) {
    return ((frame->biWidth * frame->biBitCount + 31) >> 5) << 2;
}

// The grab of one recording: the memory context and a DIB section of the
// recording's size are kept from grab to grab (made again only when the size
// changes), and each grab copies the screen straight into the section, in
// strips from the top down, with the cursor drawn on top. The picture is read
// in place, without a copy.
class CScreenGrabber {
public:
    // Grabs with the session's parameters, cursor and region frame.
    explicit CScreenGrabber(RecordingSession& session);
    ~CScreenGrabber();
    CScreenGrabber(const CScreenGrabber&) = delete;
    CScreenGrabber& operator=(const CScreenGrabber&) = delete;

    // Copies (left, top, width, height) of the screen with the cursor and
    // flashes the region frame around it unless `probe`. False when no
    // surface of that size can be had; the picture is then gone.
    bool Grab(int left, int top, int width, int height, int probe);

    // The last picture: bottom-up rows of Stride() bytes, 24-bit blue-green-
    // red; valid until the next Grab.
    const BITMAPINFOHEADER& Header() const { return m_header; }
    const uint8_t* Bits() const { return m_bits; }
    int Stride() const { return FrameStride(&m_header); }

private:
    bool MakeSurface(HDC screen, int width, int height);

    RecordingSession& m_session;
    fw::MemoryDC m_memory;
    fw::Bitmap m_surface;
    std::optional<fw::ScopedSelect> m_selected;  // deselected before the surface goes
    BITMAPINFOHEADER m_header{};
    uint8_t* m_bits = nullptr;
};
