// A recording's sound as the edits make it: only the samples within the
// trim, timed from its start, and the volume as the preview applies it, on
// interleaved 16-bit samples (any other format is converted to that first,
// through libswresample).
#pragma once

#include "tools/clipforge/convert/EditPlan.h"
#include "tools/clipforge/convert/FfmpegOwners.h"

namespace clipforge {

class SoundEdit {
public:
    explicit SoundEdit(const EditPlan& plan) : m_trim(plan.trim), m_volume(plan.volume) {}

    // The part of `sound` within the trim, valid until the next call. Null
    // when none of it is kept, or when memory ran out (Failed()).
    const AVFrame* Edit(const AVFrame* sound);
    bool Failed() const { return m_failed; }
    // Sound up to the trim's end has gone by.
    bool PastEnd() const { return m_pastEnd; }

private:
    const AVFrame* Interleaved16(const AVFrame* sound);
    const AVFrame* Fail();

    TrimWindow m_trim;
    int32_t m_volume;
    int64_t m_next = 0;  // the sample after the last one seen
    ff::Resampler m_converter;
    ff::Frame m_converted = ff::Frame(av_frame_alloc());
    ff::Frame m_out = ff::Frame(av_frame_alloc());
    bool m_failed = false, m_pastEnd = false;
};

}  // namespace clipforge
