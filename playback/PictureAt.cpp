#include "playback/PictureAt.h"

#include <cstring>
#include <memory>

#include "playback/MediaDecoder.h"
#include "playback/MediaBuffers.h"

bool DecodePictureAt(const std::string& path, double fraction, PictureAt& out) {
    auto decoder = std::make_unique<CMediaDecoder>();
    decoder->Init();
    MediaInfo info{};
    if (decoder->Open(path.c_str()) != 1 || decoder->GetInfo(&info) != 1 || !info.hasVideo ||
        decoder->Seek(fraction) != 1)
        return false;
    VideoFrameBuffer* frame = decoder->AllocVideoFrame();
    if (!frame) return false;
    bool decoded = false;
    for (int i = 0; i < 3; ++i) decoded |= decoder->DecodeVideoFrame(frame) == 1;
    const size_t bytes = static_cast<size_t>(PictureBufferBytes(frame->width, frame->height));
    if (decoded && bytes) {
        out.yuv.assign(frame->bytes.get(), frame->bytes.get() + bytes);
        out.width = frame->width;
        out.height = frame->height;
    }
    decoder->FreeBuffer(frame);
    return decoded && bytes;
}
