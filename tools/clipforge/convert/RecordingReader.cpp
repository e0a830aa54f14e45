#include "tools/clipforge/convert/RecordingReader.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace clipforge {

namespace {

ff::Codec OpenDecoder(const AVStream& stream) {
    const AVCodec* decoder = avcodec_find_decoder(stream.codecpar->codec_id);
    if (!decoder) return nullptr;
    ff::Codec codec(avcodec_alloc_context3(decoder));
    if (!codec || avcodec_parameters_to_context(codec.get(), stream.codecpar) < 0) return nullptr;
    codec->pkt_timebase = stream.time_base;
    if (avcodec_open2(codec.get(), decoder, nullptr) < 0) return nullptr;
    return codec;
}

}  // namespace

bool RecordingReader::Open(const std::string& path, std::string& error) {
    AVFormatContext* raw = nullptr;
    const AVInputFormat* avi = av_find_input_format("avi");
    if (avformat_open_input(&raw, path.c_str(), avi, nullptr) < 0) {
        error = "The file is not a recording ClipForge can read.";
        return false;
    }
    m_input.reset(raw);
    // Probing the streams zeroes a size the decoder will not take; the
    // header's own is kept so that the size can be told.
    for (unsigned i = 0; i < raw->nb_streams && m_declaredWidth == 0; ++i)
        NoteDeclaredSize(*raw->streams[i]->codecpar);
    if (avformat_find_stream_info(raw, nullptr) < 0) {
        error = "The file is not a recording ClipForge can read.";
        return false;
    }
    m_videoIndex = av_find_best_stream(raw, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (m_videoIndex >= 0 && raw->streams[m_videoIndex]->codecpar->width > 0)
        NoteDeclaredSize(*raw->streams[m_videoIndex]->codecpar);  // the stream chosen, as probed
    if (m_videoIndex < 0 || raw->streams[m_videoIndex]->codecpar->width <= 0) {
        error = "The file holds no pictures ClipForge can read.";
        return false;
    }
    m_video = OpenDecoder(*raw->streams[m_videoIndex]);
    if (!m_video) {
        error = "The recording's pictures are in a format ClipForge cannot decode.";
        return false;
    }
    m_audioIndex = av_find_best_stream(raw, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    if (m_audioIndex >= 0) m_audio = OpenDecoder(*raw->streams[m_audioIndex]);
    if (!m_audio) m_audioIndex = -1;
    m_cutOff = DeclaresMoreThanItHolds(path);
    return true;
}

void RecordingReader::NoteDeclaredSize(const AVCodecParameters& stream) {
    if (stream.codec_type != AVMEDIA_TYPE_VIDEO || stream.width == 0) return;
    // A negative height is a top-down picture of that many rows.
    const auto magnitude = [](int v) { return int(std::min<int64_t>(std::llabs(v), INT_MAX)); };
    m_declaredWidth = magnitude(stream.width);
    m_declaredHeight = magnitude(stream.height);
}

// A RIFF file whose first chunk claims more bytes than the file has was cut
// off while it was copied or written.
bool RecordingReader::DeclaresMoreThanItHolds(const std::string& path) const {
    AVIOContext* io = nullptr;
    if (avio_open(&io, path.c_str(), AVIO_FLAG_READ) < 0) return false;
    unsigned char head[8] = {};
    const bool riff = avio_read(io, head, 8) == 8 && std::memcmp(head, "RIFF", 4) == 0;
    const int64_t declared = int64_t(head[4]) | int64_t(head[5]) << 8 | int64_t(head[6]) << 16 |
                             int64_t(head[7]) << 24;
    const int64_t size = avio_size(io);
    avio_closep(&io);
    return riff && size > 0 && declared + 8 > size;
}

AVRational RecordingReader::VideoTimeBase() const {
    return m_input->streams[m_videoIndex]->time_base;
}

AVRational RecordingReader::FrameRate() const {
    const AVStream* s = m_input->streams[m_videoIndex];
    if (s->avg_frame_rate.num > 0 && s->avg_frame_rate.den > 0) return s->avg_frame_rate;
    if (s->r_frame_rate.num > 0 && s->r_frame_rate.den > 0) return s->r_frame_rate;
    return av_inv_q(s->time_base);
}

double RecordingReader::Seconds() const {
    const AVStream* s = m_input->streams[m_videoIndex];
    if (s->duration > 0) return s->duration * av_q2d(s->time_base);
    return m_input->duration > 0 ? m_input->duration / double(AV_TIME_BASE) : 0.0;
}

RecordingReader::End RecordingReader::Run(DecodedSink& sink, const std::atomic<bool>* cancel) {
    ff::Packet packet(av_packet_alloc());
    for (;;) {
        if (cancel && cancel->load()) return End::Cancelled;
        const int read = av_read_frame(m_input.get(), packet.get());
        if (read < 0) {
            if (read != AVERROR_EOF) m_readError = true;
            break;
        }
        bool ok = true;
        // Skipped positions are empty chunks: they hold time, not pictures,
        // and an empty packet would tell the decoder the stream has ended.
        if (packet->size > 0) {
            if (packet->stream_index == m_videoIndex)
                ok = Decode(*m_video, packet.get(), true, sink);
            else if (packet->stream_index == m_audioIndex)
                ok = Decode(*m_audio, packet.get(), false, sink);
        }
        av_packet_unref(packet.get());
        if (!ok) return End::SinkStopped;
        if (sink.Satisfied()) break;
    }
    if (!Decode(*m_video, nullptr, true, sink)) return End::SinkStopped;
    if (m_audio && !Decode(*m_audio, nullptr, false, sink)) return End::SinkStopped;
    return End::Finished;
}

bool RecordingReader::Decode(AVCodecContext& codec, const AVPacket* packet, bool video,
                             DecodedSink& sink) {
    if (avcodec_send_packet(&codec, packet) < 0) {
        ++m_badPackets;
        return true;
    }
    for (;;) {
        const int got = avcodec_receive_frame(&codec, m_frame.get());
        if (got == AVERROR(EAGAIN) || got == AVERROR_EOF) return true;
        if (got < 0) {
            ++m_badPackets;
            return true;
        }
        if (video) m_frame->pts = m_frame->best_effort_timestamp;
        m_frame->time_base = codec.pkt_timebase;
        const bool ok = video ? sink.Picture(m_frame.get()) : sink.Sound(m_frame.get());
        av_frame_unref(m_frame.get());
        if (!ok) return false;
    }
}

}  // namespace clipforge
