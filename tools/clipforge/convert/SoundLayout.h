// The channel layout a sound frame stands for.
#pragma once

extern "C" {
#include <libavutil/channel_layout.h>
#include <libavutil/frame.h>
}

namespace clipforge {

// Copies `frame`'s layout into `layout` (which the caller uninits); a track
// that names no layout gets the usual one for its channel count, so two
// channels stay left and right.
inline int CopyNamedLayout(AVChannelLayout& layout, const AVFrame& frame) {
    if (frame.ch_layout.order != AV_CHANNEL_ORDER_UNSPEC) return av_channel_layout_copy(&layout, &frame.ch_layout);
    av_channel_layout_uninit(&layout);
    av_channel_layout_default(&layout, frame.ch_layout.nb_channels);
    return 0;
}

}  // namespace clipforge
