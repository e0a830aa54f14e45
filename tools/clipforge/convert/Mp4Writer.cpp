#include "tools/clipforge/convert/Mp4Writer.h"

#include <algorithm>

#include "tools/clipforge/convert/EncoderSettings.h"
#include "tools/clipforge/convert/SoundLayout.h"

extern "C" {
#include <libavutil/channel_layout.h>
#include <libavutil/opt.h>
}

namespace clipforge {

Mp4Writer::~Mp4Writer() {
    if (m_output) {
        if (m_output->pb) avio_closep(&m_output->pb);
        avformat_free_context(m_output);
    }
}

bool Mp4Writer::Fail(int code) {
    if (m_error == 0) m_error = code < 0 ? code : AVERROR_UNKNOWN;
    return false;
}

bool Mp4Writer::FailInEncoder(bool video, int code) {
    if (m_error == 0) m_videoEncoderFailed = video;
    return Fail(code);
}

Mp4Writer::Opened Mp4Writer::Open(const std::string& path, const PictureFormat& picture, bool sound,
                                  const BitRates& rates) {
    if (avformat_alloc_output_context2(&m_output, nullptr, "mp4", path.c_str()) < 0) {
        Fail(AVERROR_MUXER_NOT_FOUND);
        return Opened::NoMuxer;
    }
    if (!OpenVideo(picture, rates.videoKbps)) return Opened::VideoRefused;
    if (sound && !OpenAudio(rates.audioKbps)) return Opened::AudioRefused;
    const int created = avio_open(&m_output->pb, path.c_str(), AVIO_FLAG_WRITE);
    if (created < 0) {
        Fail(created);
        return Opened::NotCreated;
    }
    AVDictionary* options = nullptr;
    av_dict_set(&options, "movflags", "+faststart", 0);
    const int header = avformat_write_header(m_output, &options);
    av_dict_free(&options);
    if (header < 0) {
        Fail(header);
        return Opened::NotWritten;
    }
    m_headerWritten = true;
    return Opened::Yes;
}

bool Mp4Writer::OpenVideo(const PictureFormat& picture, int kbps) {
    const AVCodec* x264 = avcodec_find_encoder_by_name("libx264");
    if (!x264) return Fail(AVERROR_ENCODER_NOT_FOUND);
    m_video.reset(avcodec_alloc_context3(x264));
    AVCodecContext& c = *m_video;
    c.width = picture.width & ~1;  // 4:2:0 needs even sizes
    c.height = picture.height & ~1;
    c.pix_fmt = AV_PIX_FMT_YUV420P;
    c.time_base = picture.timeBase;
    c.framerate = picture.frameRate;
    c.gop_size = std::max(1, int(av_q2d(picture.frameRate) * kKeyFrameSeconds + 0.5));
    // The recorder's pictures are BT.601 in the video range.
    c.color_range = AVCOL_RANGE_MPEG;
    c.colorspace = AVCOL_SPC_SMPTE170M;
    if (m_output->oformat->flags & AVFMT_GLOBALHEADER) c.flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    av_opt_set(c.priv_data, "preset", kX264Preset, 0);
    if (kbps > 0)
        c.bit_rate = int64_t(kbps) * 1000;  // x264's average bit rate
    else
        av_opt_set_int(c.priv_data, "crf", kX264Crf, 0);
    if (c.width * c.height > kLargePicturePixels) {
        c.thread_count = 1;
        av_opt_set_int(c.priv_data, "rc-lookahead", kLargePictureLookahead, 0);
    }
    const int opened = avcodec_open2(&c, x264, nullptr);
    if (opened < 0) return Fail(opened);
    m_videoStream = avformat_new_stream(m_output, nullptr);
    if (!m_videoStream) return Fail(AVERROR(ENOMEM));
    m_videoStream->time_base = c.time_base;
    m_videoStream->avg_frame_rate = c.framerate;
    return avcodec_parameters_from_context(m_videoStream->codecpar, &c) >= 0 || Fail(AVERROR(EINVAL));
}

bool Mp4Writer::OpenAudio(int kbps) {
    const AVCodec* aac = avcodec_find_encoder(AV_CODEC_ID_AAC);
    if (!aac) return Fail(AVERROR_ENCODER_NOT_FOUND);
    m_audio.reset(avcodec_alloc_context3(aac));
    AVCodecContext& c = *m_audio;
    c.sample_fmt = AV_SAMPLE_FMT_FLTP;
    c.sample_rate = kAudioRate;
    c.bit_rate = int64_t(kbps > 0 ? kbps : kAudioBitRate / 1000) * 1000;
    c.time_base = AVRational{1, kAudioRate};
    av_channel_layout_default(&c.ch_layout, 2);
    if (m_output->oformat->flags & AVFMT_GLOBALHEADER) c.flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    const int opened = avcodec_open2(&c, aac, nullptr);
    if (opened < 0) return Fail(opened);
    m_audioStream = avformat_new_stream(m_output, nullptr);
    if (!m_audioStream) return Fail(AVERROR(ENOMEM));
    m_audioStream->time_base = c.time_base;
    if (avcodec_parameters_from_context(m_audioStream->codecpar, &c) < 0) return Fail(AVERROR(EINVAL));
    m_fifo.reset(av_audio_fifo_alloc(c.sample_fmt, 2, c.frame_size * 4));
    m_soundFrame.reset(av_frame_alloc());
    return m_fifo && m_soundFrame ? true : Fail(AVERROR(ENOMEM));
}

bool Mp4Writer::Picture(const AVFrame* frame) {
    AVCodecContext& c = *m_video;
    const AVFrame* source = frame;
    if (frame->format != c.pix_fmt || frame->width != c.width || frame->height != c.height) {
        m_scaler.reset(sws_getCachedContext(m_scaler.release(), frame->width, frame->height,
                                            AVPixelFormat(frame->format), c.width, c.height,
                                            c.pix_fmt, SWS_BICUBIC, nullptr, nullptr, nullptr));
        if (!m_scaler) return Fail(AVERROR(EINVAL));
        if (!m_scaled) {
            m_scaled.reset(av_frame_alloc());
            m_scaled->format = c.pix_fmt;
            m_scaled->width = c.width;
            m_scaled->height = c.height;
            if (av_frame_get_buffer(m_scaled.get(), 0) < 0) return Fail(AVERROR(ENOMEM));
        }
        if (av_frame_make_writable(m_scaled.get()) < 0) return Fail(AVERROR(ENOMEM));
        sws_scale(m_scaler.get(), frame->data, frame->linesize, 0, frame->height,
                  m_scaled->data, m_scaled->linesize);
        m_scaled->pts = frame->pts;
        source = m_scaled.get();
    }
    // Two pictures at one position cannot both be kept: the later one goes.
    if (source->pts == AV_NOPTS_VALUE ||
        (m_lastPicturePts != AV_NOPTS_VALUE && source->pts <= m_lastPicturePts))
        return true;
    m_lastPicturePts = source->pts;
    ++m_pictures;
    // x264 takes a picture's type as an order: the recording's own key frames
    // (one a second) and P pictures would rule out B pictures and cost more
    // than twice the bytes. The encoder chooses.
    av_frame_unref(m_toEncode.get());
    if (av_frame_ref(m_toEncode.get(), source) < 0) return Fail(AVERROR(ENOMEM));
    m_toEncode->pict_type = AV_PICTURE_TYPE_NONE;
    const bool sent = Send(c, *m_videoStream, m_toEncode.get());
    av_frame_unref(m_toEncode.get());  // the scaled picture stays writable
    return sent;
}

bool Mp4Writer::Sound(const AVFrame* frame) {
    if (!m_audio) return true;
    AVCodecContext& c = *m_audio;
    if (!m_resampler) {
        AVChannelLayout in{};
        CopyNamedLayout(in, *frame);
        SwrContext* swr = nullptr;
        const int made = swr_alloc_set_opts2(&swr, &c.ch_layout, c.sample_fmt, c.sample_rate, &in,
                                             AVSampleFormat(frame->format), frame->sample_rate, 0, nullptr);
        av_channel_layout_uninit(&in);
        if (made < 0 || swr_init(swr) < 0) {
            swr_free(&swr);
            return Fail(AVERROR(EINVAL));
        }
        m_resampler.reset(swr);
        // The sound starts where the recording placed its first sample.
        m_soundPts = frame->pts == AV_NOPTS_VALUE
                         ? 0
                         : av_rescale_q(frame->pts, frame->time_base.num ? frame->time_base
                                                                         : AVRational{1, frame->sample_rate},
                                        c.time_base);
    }
    const int room = swr_get_out_samples(m_resampler.get(), frame->nb_samples);
    if (room < 0 || av_audio_fifo_realloc(m_fifo.get(), av_audio_fifo_size(m_fifo.get()) + room) < 0)
        return Fail(AVERROR(ENOMEM));
    uint8_t* planes[2] = {};
    ff::Frame out(av_frame_alloc());
    out->format = c.sample_fmt;
    out->nb_samples = room;
    av_channel_layout_copy(&out->ch_layout, &c.ch_layout);
    if (room > 0 && av_frame_get_buffer(out.get(), 0) < 0) return Fail(AVERROR(ENOMEM));
    planes[0] = out->data[0];
    planes[1] = out->data[1];
    const int made = swr_convert(m_resampler.get(), planes, room,
                                 const_cast<const uint8_t**>(frame->extended_data), frame->nb_samples);
    if (made < 0) return Fail(made);
    if (made > 0 && av_audio_fifo_write(m_fifo.get(), reinterpret_cast<void**>(planes), made) < made)
        return Fail(AVERROR(ENOMEM));
    return EncodeSound(false);
}

bool Mp4Writer::EncodeSound(bool flush) {
    AVCodecContext& c = *m_audio;
    for (;;) {
        const int queued = av_audio_fifo_size(m_fifo.get());
        if (queued == 0 || (queued < c.frame_size && !flush)) return true;
        const int n = std::min(queued, c.frame_size);
        AVFrame* f = m_soundFrame.get();
        av_frame_unref(f);
        f->format = c.sample_fmt;
        f->nb_samples = n;
        f->sample_rate = c.sample_rate;
        av_channel_layout_copy(&f->ch_layout, &c.ch_layout);
        if (av_frame_get_buffer(f, 0) < 0) return Fail(AVERROR(ENOMEM));
        av_audio_fifo_read(m_fifo.get(), reinterpret_cast<void**>(f->data), n);
        f->pts = m_soundPts;
        m_soundPts += n;
        if (!Send(c, *m_audioStream, f)) return false;
    }
}

bool Mp4Writer::Send(AVCodecContext& codec, AVStream& stream, const AVFrame* frame) {
    const bool video = &codec == m_video.get();
    const int sent = avcodec_send_frame(&codec, frame);
    if (sent < 0 && !(frame == nullptr && sent == AVERROR_EOF)) return FailInEncoder(video, sent);
    for (;;) {
        const int got = avcodec_receive_packet(&codec, m_packet.get());
        if (got == AVERROR(EAGAIN) || got == AVERROR_EOF) return true;
        if (got < 0) return FailInEncoder(video, got);
        if (m_packet->duration == 0 && video) m_packet->duration = 1;
        av_packet_rescale_ts(m_packet.get(), codec.time_base, stream.time_base);
        m_packet->stream_index = stream.index;
        const int written = av_interleaved_write_frame(m_output, m_packet.get());
        if (written < 0) return Fail(written);
        if (m_output->pb->error < 0) return Fail(m_output->pb->error);
    }
}

bool Mp4Writer::Finish(const std::atomic<bool>* cancel) {
    if (!m_headerWritten || m_error) return false;
    if (m_audio && m_resampler) {
        // What the resampler still holds, then the last short frame.
        const int room = swr_get_out_samples(m_resampler.get(), 0);
        if (room > 0) {
            ff::Frame tail(av_frame_alloc());
            tail->format = m_audio->sample_fmt;
            tail->nb_samples = room;
            av_channel_layout_copy(&tail->ch_layout, &m_audio->ch_layout);
            if (av_frame_get_buffer(tail.get(), 0) < 0) return Fail(AVERROR(ENOMEM));
            const int made = swr_convert(m_resampler.get(), tail->data, room, nullptr, 0);
            if (made > 0) av_audio_fifo_write(m_fifo.get(), reinterpret_cast<void**>(tail->data), made);
        }
    }
    if (m_audio && !PadSoundToPictures(cancel)) return false;
    if (m_audio && !EncodeSound(true)) return false;
    if (!Send(*m_video, *m_videoStream, nullptr)) return false;
    if (m_audio && !Send(*m_audio, *m_audioStream, nullptr)) return false;
    const int trailer = av_write_trailer(m_output);
    if (trailer < 0) return Fail(trailer);
    if (m_output->pb->error < 0) return Fail(m_output->pb->error);
    avio_flush(m_output->pb);
    const int closed = avio_closep(&m_output->pb);
    if (closed < 0) return Fail(closed);
    return true;
}

bool Mp4Writer::PadSoundToPictures(const std::atomic<bool>* cancel) {
    // A sound track that ends early, or holds nothing, goes on in silence as
    // long as the pictures do: players treat an empty track as broken. The
    // silence is made and encoded one frame at a time, so an hour of it takes
    // no more memory than a second.
    if (m_lastPicturePts == AV_NOPTS_VALUE) return true;
    if (m_soundPts == AV_NOPTS_VALUE) m_soundPts = 0;
    AVCodecContext& c = *m_audio;
    const int64_t end = av_rescale_q(m_lastPicturePts + 1, m_video->time_base, c.time_base);
    ff::Frame silence(av_frame_alloc());
    silence->format = c.sample_fmt;
    silence->nb_samples = c.frame_size;
    av_channel_layout_copy(&silence->ch_layout, &c.ch_layout);
    if (av_frame_get_buffer(silence.get(), 0) < 0) return Fail(AVERROR(ENOMEM));
    av_samples_set_silence(silence->data, 0, c.frame_size, c.ch_layout.nb_channels, c.sample_fmt);
    for (;;) {
        const int64_t missing = end - (m_soundPts + av_audio_fifo_size(m_fifo.get()));
        if (missing <= 0) return true;
        if (cancel && cancel->load()) return Fail(AVERROR_EXIT);
        const int n = int(std::min<int64_t>(missing, c.frame_size));
        if (av_audio_fifo_write(m_fifo.get(), reinterpret_cast<void**>(silence->data), n) < n)
            return Fail(AVERROR(ENOMEM));
        if (!EncodeSound(false)) return false;
    }
}

double Mp4Writer::Seconds() const {
    if (m_lastPicturePts == AV_NOPTS_VALUE) return 0;
    return (m_lastPicturePts + 1) * av_q2d(m_video->time_base);
}

}  // namespace clipforge
