// Turns a decoded picture of any pixel format and size into one planar
// YUV 4:2:0 picture of a given size with chroma planes of (width / 2) ×
// (height / 2), through libswscale.
#pragma once

#include <cstdint>

struct AVFrame;
struct SwsContext;

class CPictureConverter {
public:
    CPictureConverter() = default;
    ~CPictureConverter();
    CPictureConverter(const CPictureConverter&) = delete;
    CPictureConverter& operator=(const CPictureConverter&) = delete;

    // `dest` holds PictureBufferBytes(width, height) bytes.
    bool Convert(const AVFrame* frame, uint8_t* dest, int width, int height);

private:
    bool EnsureScratch(int width, int height);

    SwsContext* m_scaler = nullptr;
    // Odd sizes go through here: the scaler writes chroma planes of the
    // rounded-up size, which the caller's buffer has no room for.
    AVFrame* m_scratch = nullptr;
};
