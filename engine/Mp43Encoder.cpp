#include "engine/Mp43Encoder.h"

#include <algorithm>
#include <mutex>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/frame.h>
#include <libavutil/log.h>
#include <libswscale/swscale.h>
}

namespace {
// Quantiser 1 makes this encoder clip coefficients (visible damage); 2 is its
// finest clean step.
constexpr int kBestQuantizer = 2;
constexpr int kWorstQuantizer = 31;
}  // namespace

struct CMp43Encoder::Impl {
    AVCodecContext* codec = nullptr;
    AVFrame* picture = nullptr;
    AVPacket* packet = nullptr;
    SwsContext* convert = nullptr;
    int width = 0;
    int height = 0;
    int64_t frames = 0;
};

CMp43Encoder::CMp43Encoder() : m(std::make_unique<Impl>()) {}

CMp43Encoder::~CMp43Encoder() {
    Close();
}

int CMp43Encoder::QuantizerFor(int quality) {
    quality = std::clamp(quality, 0, 10000);
    return kWorstQuantizer -
           (quality * (kWorstQuantizer - kBestQuantizer) + 5000) / 10000;
}

bool CMp43Encoder::Open(int width, int height, int frameRate, int keyFrameEvery, int quality) {
    Close();
    if (width <= 0 || height <= 0 || frameRate <= 0) return false;
    // The encoder reports every clipped coefficient on the console; only
    // errors are worth a line.
    static std::once_flag quiet;
    std::call_once(quiet, [] { av_log_set_level(AV_LOG_ERROR); });
    const AVCodec* encoder = avcodec_find_encoder(AV_CODEC_ID_MSMPEG4V3);
    if (!encoder) return false;
    m->codec = avcodec_alloc_context3(encoder);
    m->picture = av_frame_alloc();
    m->packet = av_packet_alloc();
    if (!m->codec || !m->picture || !m->packet) {
        Close();
        return false;
    }
    AVCodecContext* c = m->codec;
    c->width = width;
    c->height = height;
    c->time_base = AVRational{1, frameRate};
    c->framerate = AVRational{frameRate, 1};
    c->pix_fmt = AV_PIX_FMT_YUV420P;
    c->gop_size = std::max(keyFrameEvery, 1);
    c->max_b_frames = 0;
    c->codec_tag = MKTAG('M', 'P', '4', '3');
    c->flags |= AV_CODEC_FLAG_QSCALE;
    c->qmin = kBestQuantizer;
    c->qmax = kWorstQuantizer;
    c->global_quality = FF_QP2LAMBDA * QuantizerFor(quality);
    if (avcodec_open2(c, encoder, nullptr) < 0) {
        Close();
        return false;
    }
    m->picture->format = AV_PIX_FMT_YUV420P;
    m->picture->width = width;
    m->picture->height = height;
    // Same size in and out: BGR24 to YUV 4:2:0 takes libswscale's direct
    // converter, which the scaling flags do not change (32-bit pixels would
    // take the general scaler, about 2.5 times slower).
    m->convert = sws_getContext(width, height, AV_PIX_FMT_BGR24, width, height, AV_PIX_FMT_YUV420P,
                                SWS_BICUBIC, nullptr, nullptr, nullptr);
    if (!m->convert || av_frame_get_buffer(m->picture, 0) < 0) {
        Close();
        return false;
    }
    m->width = width;
    m->height = height;
    m->frames = 0;
    return true;
}

bool CMp43Encoder::IsOpen() const {
    return m->codec != nullptr;
}

bool CMp43Encoder::Encode(const uint8_t* bits, int stride, EncodedFrame& out) {
    if (!IsOpen() || !bits) return false;
    if (av_frame_make_writable(m->picture) < 0) return false;
    // Bottom-up rows: start at the last row and walk backwards.
    const uint8_t* src[1] = {bits + static_cast<ptrdiff_t>(stride) * (m->height - 1)};
    const int srcStride[1] = {-stride};
    sws_scale(m->convert, src, srcStride, 0, m->height, m->picture->data, m->picture->linesize);
    m->picture->pts = m->frames++;
    m->picture->quality = m->codec->global_quality;
    av_packet_unref(m->packet);
    if (avcodec_send_frame(m->codec, m->picture) < 0) return false;
    if (avcodec_receive_packet(m->codec, m->packet) < 0) return false;
    out.data = m->packet->data;
    out.size = static_cast<uint32_t>(m->packet->size);
    out.keyFrame = (m->packet->flags & AV_PKT_FLAG_KEY) != 0;
    return true;
}

std::vector<uint8_t> CMp43Encoder::CodecPrivate() const {
    if (!IsOpen() || !m->codec->extradata) return {};
    return {m->codec->extradata, m->codec->extradata + m->codec->extradata_size};
}

void CMp43Encoder::Close() {
    if (m->convert) sws_freeContext(m->convert);
    m->convert = nullptr;
    av_frame_free(&m->picture);
    av_packet_free(&m->packet);
    avcodec_free_context(&m->codec);
}
