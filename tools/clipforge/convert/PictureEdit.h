// A recording's pictures as the edits make them: the crop (and what of it
// the fit shows), the effects by the preview's own arithmetic, then the fit
// into the output size through libswscale, with black bars where Letterbox
// leaves room. The effects come before the scaling, as in the preview,
// which filters the decoded picture and then scales it.
#pragma once

#include "tools/clipforge/convert/EditPlan.h"
#include "tools/clipforge/convert/FfmpegOwners.h"

namespace clipforge {

class PictureEdit {
public:
    // False when memory runs out.
    bool Open(const EditPlan& plan);
    // The edited picture (output size), valid until the next call. Null when
    // memory ran out (Failed()) or the picture is not of the size planned for
    // (a damaged recording's), which is then left out.
    const AVFrame* Edit(const AVFrame* picture);
    bool Failed() const { return m_failed; }

private:
    // A frame over one of our contiguous 4:2:0 buffers, which x264 copies from.
    const AVFrame* Over(const ff::Buffer& buffer, int width, int height, int64_t pts);
    bool Scale(ff::Scaler& scaler, const AVFrame& from, uint8_t* const to[3], const int toLines[3], int width,
               int height);
    const AVFrame* Fail();

    EditPlan m_plan;
    editfile::PixelRect m_region;
    ff::Frame m_view = ff::Frame(av_frame_alloc());  // the region of the decoded picture
    ff::Frame m_out = ff::Frame(av_frame_alloc());
    ff::Buffer m_packed, m_filtered, m_output;       // region size, region size, output size
    ff::Scaler m_packer, m_scaler;
    bool m_failed = false;
};

}  // namespace clipforge
