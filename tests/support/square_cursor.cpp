#include "tests/support/square_cursor.h"

#include <cstring>

HCURSOR MakeSquareCursor() {
    // 32 x 32: AND mask 0 (paint) inside a 12 x 12 square, XOR 0 (black).
    BYTE andMask[32 * 4], xorMask[32 * 4];
    std::memset(andMask, 0xFF, sizeof andMask);
    std::memset(xorMask, 0x00, sizeof xorMask);
    for (int y = 10; y < 22; ++y)
        for (int x = 10; x < 22; ++x) andMask[y * 4 + x / 8] &= static_cast<BYTE>(~(0x80 >> (x % 8)));
    return ::CreateCursor(::GetModuleHandleA(nullptr), 16, 16, 32, 32, andMask, xorMask);
}
