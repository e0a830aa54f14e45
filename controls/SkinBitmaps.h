// Drawing the skinned controls' bitmaps: loading them from the program's
// resources, stretching them, and drawing them with magenta as the
// transparent colour.
#pragma once

#include <windows.h>

#include <functional>

#include "framework/Gdi.h"

namespace skinbmp {

// The program's transparent colour.
constexpr COLORREF kTransparent = RGB(255, 0, 255);

// A bitmap resource of the running program, or null.
HBITMAP LoadResourceBitmap(int id);
// The bitmap's size; 0 x 0 for null.
SIZE BitmapSize(HBITMAP bitmap);
// Stretches the whole bitmap over `area`.
void Stretch(HDC dc, const RECT& area, HBITMAP bitmap);
// Copies the whole bitmap with its top-left corner at (x, y).
void Copy(HDC dc, int x, int y, HBITMAP bitmap);
// Answers WM_PAINT by drawing the client area off screen first, so that
// parts moving over a background never flicker.
void PaintBuffered(HWND hwnd, const std::function<void(HDC, const RECT& client)>& paint);

// A picture drawn with magenta as its transparent colour, and its mask.
class KeyedBitmap {
public:
    // Takes the picture (null empties it) and builds its mask.
    void Reset(HBITMAP picture);
    // From the program's resources; false when it cannot be loaded.
    bool Load(int resourceId);

    explicit operator bool() const { return static_cast<bool>(m_picture); }
    HBITMAP Picture() const { return m_picture; }
    SIZE Size() const { return m_size; }

    // Draws it at its own size with (x, y) as its top-left corner: magenta
    // pixels leave the destination as it was, the others cover it.
    void DrawTransparent(HDC dc, int x, int y) const;
    // Draws it at its own size, magenta included.
    void DrawOpaque(HDC dc, int x, int y) const;

private:
    fw::Bitmap m_picture;
    fw::Bitmap m_mask;
    SIZE m_size{0, 0};
};

}  // namespace skinbmp
