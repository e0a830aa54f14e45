#include "playback/PictureConverter.h"

extern "C" {
#include <libavutil/frame.h>
#include <libavutil/imgutils.h>
#include <libswscale/swscale.h>
}

CPictureConverter::~CPictureConverter() {
    sws_freeContext(m_scaler);
    av_frame_free(&m_scratch);
}

bool CPictureConverter::EnsureScratch(int width, int height) {
    if (m_scratch && m_scratch->width == width && m_scratch->height == height) return true;
    av_frame_free(&m_scratch);
    m_scratch = av_frame_alloc();
    if (!m_scratch) return false;
    m_scratch->format = AV_PIX_FMT_YUV420P;
    m_scratch->width = width;
    m_scratch->height = height;
    if (av_frame_get_buffer(m_scratch, 0) < 0) {
        av_frame_free(&m_scratch);
        return false;
    }
    return true;
}

bool CPictureConverter::Convert(const AVFrame* frame, uint8_t* dest, int width, int height) {
    if (!frame || !dest || width <= 0 || height <= 0 || frame->width <= 0 || frame->height <= 0)
        return false;
    const auto format = static_cast<AVPixelFormat>(frame->format);
    if (format == AV_PIX_FMT_NONE || !sws_isSupportedInput(format)) return false;
    m_scaler = sws_getCachedContext(m_scaler, frame->width, frame->height, format, width, height,
                                    AV_PIX_FMT_YUV420P, SWS_BICUBIC, nullptr, nullptr, nullptr);
    if (!m_scaler) return false;

    const int chromaWidth = width / 2;
    const int chromaHeight = height / 2;
    uint8_t* const u = dest + static_cast<ptrdiff_t>(width) * height;
    uint8_t* const v = u + static_cast<ptrdiff_t>(chromaWidth) * chromaHeight;
    if (width % 2 == 0 && height % 2 == 0) {
        uint8_t* planes[4] = {dest, u, v, nullptr};
        const int strides[4] = {width, chromaWidth, chromaWidth, 0};
        return sws_scale(m_scaler, frame->data, frame->linesize, 0, frame->height, planes,
                         strides) > 0;
    }
    if (!EnsureScratch(width, height) || av_frame_make_writable(m_scratch) < 0) return false;
    if (sws_scale(m_scaler, frame->data, frame->linesize, 0, frame->height, m_scratch->data,
                  m_scratch->linesize) <= 0)
        return false;
    av_image_copy_plane(dest, width, m_scratch->data[0], m_scratch->linesize[0], width, height);
    av_image_copy_plane(u, chromaWidth, m_scratch->data[1], m_scratch->linesize[1], chromaWidth,
                        chromaHeight);
    av_image_copy_plane(v, chromaWidth, m_scratch->data[2], m_scratch->linesize[2], chromaWidth,
                        chromaHeight);
    return true;
}
