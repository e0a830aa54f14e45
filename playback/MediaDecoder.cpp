#include "playback/MediaDecoder.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/frame.h>
}

#include "playback/PictureConverter.h"
#include "playback/SoundConverter.h"

CMediaDecoder::CMediaDecoder()
    : m_packet(av_packet_alloc()),
      m_frame(av_frame_alloc()),
      m_pictures(std::make_unique<CPictureConverter>()),
      m_sound(std::make_unique<CSoundConverter>()) {}

CMediaDecoder::~CMediaDecoder() {
    Close();
    av_packet_free(&m_packet);
    av_frame_free(&m_frame);
}

int CMediaDecoder::Init() {
    // Formats and codecs register themselves in this library version.
    m_startTime = 0;
    m_generateTimestamps = false;
    return 1;
}

int CMediaDecoder::Open(const char* path) {
    if (!path) return -1;
    Close();
    // A path that does not fit would name another file.
    if (std::strlen(path) >= sizeof m_path || !m_packet || !m_frame) return -1;
    std::snprintf(m_path, sizeof m_path, "%s", path);
    m_video.atEnd = false;
    m_audio.atEnd = false;
    const int video = OpenSide(m_video, Kind::Video);
    const int audio = OpenSide(m_audio, Kind::Audio);
    return video == 1 || audio == 1 ? 1 : -1;
}

int CMediaDecoder::OpenSide(Side& side, Kind kind) {
    if (avformat_open_input(&side.input, m_path, nullptr, nullptr) < 0) return -1;
    AVFormatContext* input = side.input;
    if (m_generateTimestamps) input->flags |= AVFMT_FLAG_GENPTS;
    if (avformat_find_stream_info(input, nullptr) < 0) {
        CloseSide(side);
        return -1;
    }
    if (input->pb) input->pb->eof_reached = 0;
    if (m_startTime != AV_NOPTS_VALUE) {
        int64_t target = m_startTime;
        if (input->start_time != AV_NOPTS_VALUE) target += input->start_time;
        av_seek_frame(input, -1, target, AVSEEK_FLAG_BACKWARD);
    }
    const AVMediaType wanted = kind == Kind::Video ? AVMEDIA_TYPE_VIDEO : AVMEDIA_TYPE_AUDIO;
    int index = -1;
    for (unsigned i = 0; i < input->nb_streams; ++i) {
        if (input->streams[i]->codecpar->codec_type == wanted) {
            index = static_cast<int>(i);
            break;
        }
    }
    if (index < 0 || OpenStreamDecoder(side, index, kind) != 1) {
        CloseSide(side);
        return -1;
    }
    // This input serves one stream: the demuxer may skip the others' data.
    for (unsigned i = 0; i < input->nb_streams; ++i)
        if (static_cast<int>(i) != index) input->streams[i]->discard = AVDISCARD_ALL;
    return 1;
}

int CMediaDecoder::OpenStreamDecoder(Side& side, int streamIndex, Kind kind) {
    AVStream* stream = side.input->streams[streamIndex];
    const AVCodec* codec = avcodec_find_decoder(stream->codecpar->codec_id);
    if (!codec) return -1;
    AVCodecContext* decoder = avcodec_alloc_context3(codec);
    if (!decoder) return -1;
    if (avcodec_parameters_to_context(decoder, stream->codecpar) < 0) {
        avcodec_free_context(&decoder);
        return -1;
    }
    decoder->pkt_timebase = stream->time_base;
    decoder->debug = 0;
    decoder->workaround_bugs = FF_BUG_AUTODETECT;
    decoder->lowres = 0;
    decoder->idct_algo = FF_IDCT_AUTO;
    decoder->flags2 |= AV_CODEC_FLAG2_FAST;
    decoder->skip_frame = AVDISCARD_DEFAULT;
    decoder->skip_idct = AVDISCARD_DEFAULT;
    decoder->skip_loop_filter = AVDISCARD_DEFAULT;
    decoder->err_recognition = AV_EF_CAREFUL;
    decoder->error_concealment = FF_EC_GUESS_MVS | FF_EC_DEBLOCK;
    decoder->thread_count = 1;
    if (avcodec_open2(decoder, codec, nullptr) < 0) {
        avcodec_free_context(&decoder);
        return -1;
    }
    side.decoder = decoder;
    side.stream = stream;
    side.streamIndex = streamIndex;
    side.draining = false;
    if (kind == Kind::Audio) {
        // Multi-channel sound comes out as stereo, mono stays mono.
        m_channels = stream->codecpar->ch_layout.nb_channels == 1 ? 1 : 2;
        m_sampleRate = decoder->sample_rate;
        m_sound->SetOutput(m_channels, m_sampleRate);
    } else {
        m_width = decoder->width;
        m_height = decoder->height;
        const AVRational rate = stream->r_frame_rate;
        m_frameSeconds = rate.num > 0 && rate.den > 0 ? av_q2d(av_inv_q(rate)) : 0.0;
        m_lastVideoTime = 0.0;
    }
    return 1;
}

void CMediaDecoder::CloseSide(Side& side) {
    avcodec_free_context(&side.decoder);
    avformat_close_input(&side.input);
    side.stream = nullptr;
    side.streamIndex = -1;
    side.draining = false;
}

int CMediaDecoder::Close() {
    CloseSide(m_video);
    CloseSide(m_audio);
    m_sound->Reset();
    m_width = m_height = 0;
    m_channels = m_sampleRate = 0;
    return 1;
}

const CMediaDecoder::Side* CMediaDecoder::InfoSide() const {
    if (m_video.input) return &m_video;
    if (m_audio.input) return &m_audio;
    return nullptr;
}

int CMediaDecoder::GetInfo(MediaInfo* info) {
    if (!info) return -1;
    *info = MediaInfo{};
    const Side* side = InfoSide();
    if (!side) return -1;
    if (m_audio.decoder) {
        info->hasAudio = 1;
        info->sampleRate = m_sampleRate;
        info->channels = m_channels;
    }
    if (m_video.decoder) {
        info->hasVideo = 1;
        info->width = m_width;
        info->height = m_height;
        const AVRational rate = m_video.stream->r_frame_rate;
        info->frameRate = rate.den != 0 ? av_q2d(rate) : 0.0;
    }
    const int64_t duration = side->input->duration;
    info->duration = duration != AV_NOPTS_VALUE ? static_cast<double>(duration) * 1e-6 : 0.0;
    return info->hasVideo || info->hasAudio ? 1 : -1;
}

int CMediaDecoder::Seek(double fraction) {
    const Side* side = InfoSide();
    if (!side || !std::isfinite(fraction)) return -1;
    const AVFormatContext* input = side->input;
    const double duration = input->duration != AV_NOPTS_VALUE ? static_cast<double>(input->duration) : 0.0;
    const double start = input->start_time != AV_NOPTS_VALUE ? static_cast<double>(input->start_time) : 0.0;
    const double target = fraction * duration + start;
    if (!(std::fabs(target) < 9.0e18)) return -1;
    int result = 1;
    if (m_video.input && SeekSide(m_video, static_cast<int64_t>(target)) != 1) result = -1;
    if (m_audio.input && SeekSide(m_audio, static_cast<int64_t>(target)) != 1) result = -1;
    return result;
}

int CMediaDecoder::SeekSide(Side& side, int64_t target) {
    if (av_seek_frame(side.input, -1, target, 0) < 0) return -1;
    avcodec_flush_buffers(side.decoder);
    side.draining = false;
    if (&side == &m_audio) m_sound->Reset();
    return 1;
}

VideoFrameBuffer* CMediaDecoder::AllocVideoFrame() {
    if (!m_video.decoder) return nullptr;
    const int64_t bytes = PictureBufferBytes(m_width, m_height);
    if (bytes <= 0) return nullptr;
    auto* buffer = new (std::nothrow) VideoFrameBuffer;
    if (!buffer) return nullptr;
    buffer->bytes.reset(new (std::nothrow) uint8_t[bytes]());
    if (!buffer->bytes) {
        delete buffer;
        return nullptr;
    }
    buffer->width = m_width;
    buffer->height = m_height;
    return buffer;
}

AudioBlock* CMediaDecoder::AllocAudioBlock() {
    auto* block = new (std::nothrow) AudioBlock;
    if (!block) return nullptr;
    block->samples.reset(new (std::nothrow) int16_t[kAudioBlockSamples]());
    if (!block->samples) {
        delete block;
        return nullptr;
    }
    return block;
}

void CMediaDecoder::FreeBuffer(VideoFrameBuffer* buffer) {
    delete buffer;
}

void CMediaDecoder::FreeBuffer(AudioBlock* buffer) {
    delete buffer;
}

int CMediaDecoder::ReadPacket(Side& side) {
    for (;;) {
        av_packet_unref(m_packet);
        if (av_read_frame(side.input, m_packet) < 0) {
            side.atEnd = true;
            return -1;
        }
        if (m_packet->stream_index == side.streamIndex) return 1;
    }
}

double CMediaDecoder::StreamSeconds(const Side& side, int64_t ts) {
    const int64_t start = side.stream->start_time;
    const double from = start != AV_NOPTS_VALUE ? static_cast<double>(start) : 0.0;
    return (static_cast<double>(ts) - from) * av_q2d(side.stream->time_base);
}

int CMediaDecoder::DecodeVideoFrame(VideoFrameBuffer* buffer) {
    if (!m_video.decoder || !buffer || !buffer->bytes || buffer->width != m_width ||
        buffer->height != m_height)
        return -1;
    AVCodecContext* decoder = m_video.decoder;
    // A picture the decoder already holds (a packet that gave two) comes first.
    int got = avcodec_receive_frame(decoder, m_frame);
    const bool held = got == 0;
    if (!held) {
        if (m_video.draining) return -1;
        if (ReadPacket(m_video) == 1) {
            const int64_t dts = m_packet->dts;
            m_lastVideoTime = dts != AV_NOPTS_VALUE ? StreamSeconds(m_video, dts) : 0.0;
            buffer->timestamp = m_lastVideoTime;
            const int sent = avcodec_send_packet(decoder, m_packet);
            av_packet_unref(m_packet);
            if (sent < 0) return -1;
            got = avcodec_receive_frame(decoder, m_frame);
        } else {
            // End of input: the pictures the decoder held back come out now,
            // one per call.
            m_video.draining = true;
            avcodec_send_packet(decoder, nullptr);
            got = avcodec_receive_frame(decoder, m_frame);
        }
    }
    if (got != 0) return -1;
    if (held || m_video.draining) {
        const int64_t ts = m_frame->best_effort_timestamp;
        m_lastVideoTime = ts != AV_NOPTS_VALUE ? StreamSeconds(m_video, ts)
                                               : m_lastVideoTime + m_frameSeconds;
        buffer->timestamp = m_lastVideoTime;
    }
    const bool converted =
        m_pictures->Convert(m_frame, buffer->bytes.get(), buffer->width, buffer->height);
    av_frame_unref(m_frame);
    return converted ? 1 : -1;
}

int CMediaDecoder::TakePendingSound(AudioBlock* block) {
    const int count = m_sound->TakeKept(block->samples.get(), block->capacity);
    if (count <= 0) return -1;
    block->sampleCount = count;
    block->timestamp = m_keptTime;
    if (m_keptTime >= 0.0 && m_sampleRate > 0)
        m_keptTime += static_cast<double>(count / m_channels) / m_sampleRate;
    return 1;
}

int CMediaDecoder::DecodeAudio(AudioBlock* block) {
    if (!m_audio.decoder || !block || !block->samples) return -1;
    if (block->capacity > kAudioBlockSamples || block->capacity < m_channels) return -1;
    if (m_sound->HasKept()) return TakePendingSound(block);
    AVCodecContext* decoder = m_audio.decoder;
    for (;;) {
        const int got = avcodec_receive_frame(decoder, m_frame);
        if (got == 0) {
            const int64_t pts = m_frame->pts;
            const double time = pts != AV_NOPTS_VALUE ? StreamSeconds(m_audio, pts) : -1.0;
            const int count = m_sound->Convert(m_frame, block->samples.get(), block->capacity);
            av_frame_unref(m_frame);
            if (count <= 0) continue;  // no sound in it, or not convertible: skipped
            block->sampleCount = count;
            block->timestamp = time;
            m_keptTime = time >= 0.0 && m_sampleRate > 0
                             ? time + static_cast<double>(count / m_channels) / m_sampleRate
                             : -1.0;
            return 1;
        }
        if (got == AVERROR_EOF || m_audio.draining) return -1;
        // Otherwise the decoder wants input (a packet that failed to decode
        // is simply behind us).
        if (ReadPacket(m_audio) != 1) {
            m_audio.draining = true;
            avcodec_send_packet(decoder, nullptr);
            continue;
        }
        avcodec_send_packet(decoder, m_packet);
        av_packet_unref(m_packet);
    }
}

int CMediaDecoder::VideoAtEnd() const {
    return m_video.input && m_video.atEnd ? 1 : 0;
}

int CMediaDecoder::AudioAtEnd() const {
    return m_audio.input && m_audio.atEnd ? 1 : 0;
}
