#include "playback/PreviewSurface.h"

#include <cstdio>
#include <cstdlib>

#include <SDL/SDL.h>
extern "C" {
#include <libswscale/swscale.h>
}

#include "playback/MediaBuffers.h"

CPreviewSurface::~CPreviewSurface() {
    Destroy();
    sws_freeContext(m_scaler);
}

int CPreviewSurface::Create(HWND window, int sourceWidth, int sourceHeight, int outputWidth,
                            int outputHeight) {
    Destroy();
    static char binding[100];  // _putenv keeps the pointer
    std::snprintf(binding, sizeof binding, "SDL_WINDOWID=%d",
                  static_cast<int>(reinterpret_cast<intptr_t>(window)));
    _putenv(binding);
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return 0;
    m_sdlStarted = true;

    m_sourceWidth = sourceWidth;
    m_sourceHeight = sourceHeight;
    m_outputWidth = outputWidth;
    m_outputHeight = outputHeight;
    if (PictureBufferBytes(sourceWidth, sourceHeight) == 0 || outputWidth < 2 || outputHeight < 2)
        return 0;
    m_screen = SDL_SetVideoMode(outputWidth, outputHeight, 24, SDL_HWSURFACE | SDL_ASYNCBLIT | SDL_HWACCEL);
    if (!m_screen) return 0;
    m_overlay = SDL_CreateYUVOverlay(outputWidth, outputHeight, SDL_YV12_OVERLAY, m_screen);
    if (!m_overlay || m_overlay->planes < 3) {
        Destroy();
        return 0;
    }
    // An odd column or row has no chroma of its own in the decoder's layout;
    // leaving it out keeps the scaler inside the picture.
    m_scaler = sws_getCachedContext(m_scaler, sourceWidth & ~1, sourceHeight & ~1, AV_PIX_FMT_YUV420P,
                                    outputWidth, outputHeight, AV_PIX_FMT_YUV420P, m_scalerFlags,
                                    nullptr, nullptr, nullptr);
    if (!m_scaler) {
        Destroy();
        return 0;
    }
    return 1;
}

int CPreviewSurface::Show(const uint8_t* frame) {
    if (!m_overlay || !m_scaler || !frame) return 1;
    const size_t lumaBytes = size_t(m_sourceWidth) * m_sourceHeight;
    const size_t chromaBytes = size_t(m_sourceWidth / 2) * (m_sourceHeight / 2);
    const uint8_t* source[3] = {frame, frame + lumaBytes, frame + lumaBytes + chromaBytes};
    const int sourceStrides[3] = {m_sourceWidth, m_sourceWidth / 2, m_sourceWidth / 2};

    SDL_LockYUVOverlay(m_overlay);
    // YV12 keeps V before U.
    uint8_t* destination[3] = {m_overlay->pixels[0], m_overlay->pixels[2], m_overlay->pixels[1]};
    const int destinationStrides[3] = {m_overlay->pitches[0], m_overlay->pitches[2], m_overlay->pitches[1]};
    sws_scale(m_scaler, source, sourceStrides, 0, m_sourceHeight & ~1, destination, destinationStrides);
    SDL_UnlockYUVOverlay(m_overlay);

    SDL_Rect where{0, 0, static_cast<Uint16>(m_outputWidth), static_cast<Uint16>(m_outputHeight)};
    SDL_DisplayYUVOverlay(m_overlay, &where);
    return 1;
}

int CPreviewSurface::Destroy() {
    if (m_overlay) SDL_FreeYUVOverlay(m_overlay);
    m_overlay = nullptr;
    m_screen = nullptr;  // SDL's own, freed by SDL_Quit
    if (m_sdlStarted) SDL_Quit();
    m_sdlStarted = false;
    return 1;
}
