// A cursor's picture as plain bytes, so that a cursor of one program can be
// rebuilt in another: under Wine a cursor handle is only usable in the
// process that made it.
#pragma once

#include <windows.h>

struct CursorShape {
    static constexpr int kMaxSide = 64;
    LONG hotX = 0;
    LONG hotY = 0;
    LONG width = 0;
    LONG height = 0;
    // Per pixel, top row first: the AND mask (1 keeps the screen) and the
    // colour that is XORed in after it, 0x00RRGGBB plus alpha in the top byte.
    BYTE andMask[kMaxSide * kMaxSide];
    DWORD color[kMaxSide * kMaxSide];
};

// False when the cursor cannot be read here or is larger than kMaxSide.
bool CaptureShape(HCURSOR cursor, CursorShape& shape);
// A new cursor of this process with the same picture; null on failure.
HCURSOR CreateCursorFrom(const CursorShape& shape);
