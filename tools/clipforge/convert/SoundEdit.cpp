#include "tools/clipforge/convert/SoundEdit.h"

#include <algorithm>

#include "editing/EffectRules.h"
#include "tools/clipforge/convert/SoundLayout.h"

extern "C" {
#include <libavutil/channel_layout.h>
}

namespace clipforge {

const AVFrame* SoundEdit::Fail() {
    m_failed = true;
    return nullptr;
}

const AVFrame* SoundEdit::Edit(const AVFrame* sound) {
    const int rate = sound->sample_rate;
    if (rate <= 0 || sound->nb_samples <= 0 || !m_out || !m_converted) return nullptr;
    // Where its first sample lies on the track; a frame without a time
    // follows the one before.
    const AVRational timeBase = sound->time_base.num > 0 ? sound->time_base : AVRational{1, rate};
    const int64_t at = sound->pts == AV_NOPTS_VALUE ? m_next : av_rescale_q(sound->pts, timeBase, AVRational{1, rate});
    m_next = at + sound->nb_samples;
    const int64_t first = m_trim.FirstSample(rate), end = m_trim.EndSample(rate);
    if (m_next >= end) m_pastEnd = true;
    const int64_t from = std::max(at, first), to = std::min(m_next, end);
    if (from >= to) return nullptr;

    const AVFrame* whole = Interleaved16(sound);
    if (!whole) return Fail();
    const int offset = int(from - at), count = std::min(int(to - from), whole->nb_samples - offset);
    const int channels = whole->ch_layout.nb_channels;
    if (count <= 0) return nullptr;
    av_frame_unref(m_out.get());
    m_out->format = AV_SAMPLE_FMT_S16;
    m_out->nb_samples = count;
    m_out->sample_rate = rate;
    if (av_channel_layout_copy(&m_out->ch_layout, &whole->ch_layout) < 0 || av_frame_get_buffer(m_out.get(), 0) < 0)
        return Fail();
    av_samples_copy(m_out->data, whole->data, 0, offset, count, channels, AV_SAMPLE_FMT_S16);
    if (m_volume != 100)
        effects::ScaleSamples(reinterpret_cast<int16_t*>(m_out->data[0]), size_t(count) * size_t(channels), m_volume);
    m_out->pts = from - first;
    m_out->time_base = AVRational{1, rate};
    return m_out.get();
}

const AVFrame* SoundEdit::Interleaved16(const AVFrame* sound) {
    if (sound->format == AV_SAMPLE_FMT_S16) return sound;
    if (!m_converter) {
        AVChannelLayout layout{};
        CopyNamedLayout(layout, *sound);
        SwrContext* swr = nullptr;
        const int made = swr_alloc_set_opts2(&swr, &layout, AV_SAMPLE_FMT_S16, sound->sample_rate, &layout,
                                             AVSampleFormat(sound->format), sound->sample_rate, 0, nullptr);
        av_channel_layout_uninit(&layout);
        m_converter.reset(swr);
        if (made < 0 || swr_init(swr) < 0) return nullptr;
    }
    av_frame_unref(m_converted.get());
    m_converted->format = AV_SAMPLE_FMT_S16;
    m_converted->sample_rate = sound->sample_rate;
    if (CopyNamedLayout(m_converted->ch_layout, *sound) < 0) return nullptr;
    // Same rate: nothing is held back, every sample comes out at once.
    return swr_convert_frame(m_converter.get(), m_converted.get(), sound) < 0 ? nullptr : m_converted.get();
}

}  // namespace clipforge
