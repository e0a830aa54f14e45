// Copies a rectangle of the screen into a packed, bottom-up device-independent
// bitmap with the mouse cursor drawn in, and makes the region frame flash
// around each grab.
#pragma once

#include <windows.h>

#include <cstdint>

// A grabbed frame: a locked movable global block holding the bitmap header,
// the palette (8 bits or fewer only) and the pixel rows. Null when the block
// could not be allocated or locked.
BITMAPINFOHEADER* GrabFrame(int left, int top, int width, int height, int probe);
// Unlocks and frees the block that `frame` points into; null does nothing.
void FreeFrame(void* frame);
// Converts a bitmap (not selected into any context) into an unlocked movable
// block; null when the memory cannot be allocated.
HGLOBAL BitmapToDib(HBITMAP bitmap, int bitCount);
// The cursor to draw: the saved one, else this thread's own (then saved).
HCURSOR CurrentCursor();

// The pixel rows of a frame: after the header and the palette.
inline const uint8_t* FrameBits(const BITMAPINFOHEADER* frame) {
    return reinterpret_cast<const uint8_t*>(frame) + frame->biSize + frame->biClrUsed * 4;
}
inline int FrameStride(const BITMAPINFOHEADER* frame) {
    return ((frame->biWidth * frame->biBitCount + 31) >> 5) << 2;
}
