#include "playback/SoundConverter.h"

#include <algorithm>
#include <cstring>

extern "C" {
#include <libavutil/channel_layout.h>
#include <libavutil/frame.h>
#include <libswresample/swresample.h>
}

CSoundConverter::~CSoundConverter() {
    swr_free(&m_swr);
}

void CSoundConverter::SetOutput(int channels, int sampleRate) {
    m_channels = channels == 1 ? 1 : 2;
    m_sampleRate = sampleRate > 0 ? sampleRate : 0;
    Reset();
}

void CSoundConverter::Reset() {
    swr_free(&m_swr);
    m_inFormat = -1;
    m_kept.clear();
    m_keptFrom = 0;
}

bool CSoundConverter::Prepare(const AVFrame* frame) {
    AVChannelLayout in{};
    const int channels = frame->ch_layout.nb_channels;
    if (channels <= 0 || channels > 64) return false;
    // Layouts without a channel order (plain PCM in AVI) get the usual one
    // for their count, so the downmix knows which channel is which.
    if (frame->ch_layout.order == AV_CHANNEL_ORDER_NATIVE)
        in = frame->ch_layout;
    else
        av_channel_layout_default(&in, channels);
    const uint64_t key = in.order == AV_CHANNEL_ORDER_NATIVE ? in.u.mask : 0;
    if (m_swr && m_inFormat == frame->format && m_inRate == frame->sample_rate &&
        m_inChannels == channels && m_inLayoutKey == key)
        return true;

    swr_free(&m_swr);
    m_inFormat = -1;
    AVChannelLayout out{};
    av_channel_layout_default(&out, m_channels);
    const int outRate = m_sampleRate ? m_sampleRate : frame->sample_rate;
    if (swr_alloc_set_opts2(&m_swr, &out, AV_SAMPLE_FMT_S16, outRate, &in,
                            static_cast<AVSampleFormat>(frame->format), frame->sample_rate, 0,
                            nullptr) < 0 ||
        swr_init(m_swr) < 0) {
        swr_free(&m_swr);
        return false;
    }
    m_inFormat = frame->format;
    m_inRate = frame->sample_rate;
    m_inChannels = channels;
    m_inLayoutKey = key;
    return true;
}

int CSoundConverter::Convert(const AVFrame* frame, int16_t* out, int capacity) {
    if (!frame || !out || frame->nb_samples <= 0 || frame->sample_rate <= 0) return 0;
    if (frame->format < 0 || !Prepare(frame)) return 0;
    const int room = std::max(capacity, 0) / m_channels;
    const int most = swr_get_out_samples(m_swr, frame->nb_samples);
    if (most < 0 || room == 0) return 0;
    const auto** in = const_cast<const uint8_t**>(frame->extended_data);
    if (most <= room) {
        auto* target = reinterpret_cast<uint8_t*>(out);
        const int made = swr_convert(m_swr, &target, room, in, frame->nb_samples);
        return made > 0 ? made * m_channels : 0;
    }
    // Longer than the block: convert all of it aside and hand out the start.
    m_kept.resize(static_cast<size_t>(most) * m_channels);
    auto* target = reinterpret_cast<uint8_t*>(m_kept.data());
    const int made = swr_convert(m_swr, &target, most, in, frame->nb_samples);
    m_kept.resize(made > 0 ? static_cast<size_t>(made) * m_channels : 0);
    m_keptFrom = 0;
    return TakeKept(out, capacity);
}

int CSoundConverter::TakeKept(int16_t* out, int capacity) {
    if (!out || !HasKept()) return 0;
    const size_t room = static_cast<size_t>(std::max(capacity, 0) / m_channels) * m_channels;
    const size_t count = std::min(room, m_kept.size() - m_keptFrom);
    std::memcpy(out, m_kept.data() + m_keptFrom, count * sizeof(int16_t));
    m_keptFrom += count;
    if (!HasKept()) {
        m_kept.clear();
        m_keptFrom = 0;
    }
    return static_cast<int>(count);
}
