// Shows planar YUV 4:2:0 pictures in a window: SDL 1.2 draws a YV12 overlay
// into the window named by SDL_WINDOWID, and libswscale scales each picture
// from the source size to the overlay's size. SDL holds one video output per
// process, so only one surface exists at a time.
#pragma once

#include <windows.h>

#include <cstdint>

struct SDL_Overlay;
struct SDL_Surface;
struct SwsContext;

class CPreviewSurface {
public:
    CPreviewSurface() = default;
    ~CPreviewSurface();
    CPreviewSurface(const CPreviewSurface&) = delete;
    CPreviewSurface& operator=(const CPreviewSurface&) = delete;

    // 1 when the overlay and the scaler are ready, else 0 (Show then draws
    // nothing and the window stays dark).
    int Create(HWND window, int sourceWidth, int sourceHeight, int outputWidth, int outputHeight);
    // Draws one picture of the source size; always 1.
    int Show(const uint8_t* frame);
    // Frees the overlay and shuts SDL down; always 1.
    int Destroy();

    int SourceWidth() const { return m_sourceWidth; }
    int SourceHeight() const { return m_sourceHeight; }
    // Whether pictures of this size can be shown (the size the surface was
    // made for); other sizes would be read with the wrong layout.
    bool Takes(int width, int height) const {
        return m_overlay && width == m_sourceWidth && height == m_sourceHeight;
    }

private:
    SDL_Overlay* m_overlay = nullptr;
    SDL_Surface* m_screen = nullptr;
    bool m_sdlStarted = false;
    int m_sourceWidth = 0, m_sourceHeight = 0;
    int m_outputWidth = 0, m_outputHeight = 0;
    SwsContext* m_scaler = nullptr;  // kept across Create calls and reused
    int m_scalerFlags = 4;           // bicubic
};
