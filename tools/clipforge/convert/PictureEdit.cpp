#include "tools/clipforge/convert/PictureEdit.h"

#include <cstring>

namespace clipforge {

namespace {

constexpr uint8_t kBlackLuma = 16, kNeutralChroma = 128;  // video range

size_t PictureBytes(int width, int height) {
    return size_t(width) * size_t(height) + 2 * size_t(width / 2) * size_t(height / 2);
}

// The planes of a contiguous 4:2:0 picture, as the effects take it, from
// (x, y) on (both even).
void PlanesOf(uint8_t* base, int width, int height, int x, int y, uint8_t* planes[3], int lines[3]) {
    const size_t luma = size_t(width) * size_t(height), chroma = size_t(width / 2) * size_t(height / 2);
    lines[0] = width;
    lines[1] = lines[2] = width / 2;
    planes[0] = base + size_t(y) * size_t(width) + size_t(x);
    planes[1] = base + luma + size_t(y / 2) * size_t(width / 2) + size_t(x / 2);
    planes[2] = base + luma + chroma + size_t(y / 2) * size_t(width / 2) + size_t(x / 2);
}

ff::Buffer Allocate(int width, int height) {
    return ff::Buffer(av_buffer_alloc(PictureBytes(width, height)));
}

}  // namespace

bool PictureEdit::Open(const EditPlan& plan) {
    m_plan = plan;
    m_region = plan.Region();
    if (!m_view || !m_out) return false;
    if (plan.HasEffects()) {
        m_packed = Allocate(m_region.width, m_region.height);
        m_filtered = Allocate(m_region.width, m_region.height);
        if (!m_packed || !m_filtered) return false;
    }
    if (plan.Scales()) {
        const int w = plan.fit.outWidth, h = plan.fit.outHeight;
        m_output = Allocate(w, h);
        if (!m_output) return false;
        // What the fit leaves uncovered stays black.
        std::memset(m_output->data, kBlackLuma, size_t(w) * size_t(h));
        std::memset(m_output->data + size_t(w) * size_t(h), kNeutralChroma, PictureBytes(w, h) - size_t(w) * size_t(h));
    }
    return true;
}

const AVFrame* PictureEdit::Fail() {
    m_failed = true;
    return nullptr;
}

const AVFrame* PictureEdit::Edit(const AVFrame* picture) {
    const editfile::PixelRect& r = m_region;
    if (picture->width < r.x + r.width || picture->height < r.y + r.height) return nullptr;
    av_frame_unref(m_view.get());
    if (av_frame_ref(m_view.get(), picture) < 0) return Fail();
    m_view->crop_left = size_t(r.x);
    m_view->crop_top = size_t(r.y);
    m_view->crop_right = size_t(picture->width - r.x - r.width);
    m_view->crop_bottom = size_t(picture->height - r.y - r.height);
    if (av_frame_apply_cropping(m_view.get(), AV_FRAME_CROP_UNALIGNED) < 0) return nullptr;

    const AVFrame* source = m_view.get();
    if (m_plan.HasEffects()) {
        // The preview's arithmetic wants the planes one after the other.
        uint8_t* planes[3];
        int lines[3];
        PlanesOf(m_packed->data, r.width, r.height, 0, 0, planes, lines);
        if (!Scale(m_packer, *m_view, planes, lines, r.width, r.height)) return Fail();
        const uint8_t* done = effects::Apply(m_packed->data, m_filtered->data, r.width, r.height, m_plan.picture);
        source = Over(done == m_filtered->data ? m_filtered : m_packed, r.width, r.height, picture->pts);
        if (!source) return Fail();
    }
    if (!m_plan.Scales()) return source;

    const fit::Placement& f = m_plan.fit;
    uint8_t* planes[3];
    int lines[3];
    PlanesOf(m_output->data, f.outWidth, f.outHeight, f.target.x, f.target.y, planes, lines);
    if (!Scale(m_scaler, *source, planes, lines, f.target.width, f.target.height)) return Fail();
    const AVFrame* out = Over(m_output, f.outWidth, f.outHeight, picture->pts);
    return out ? out : Fail();
}

const AVFrame* PictureEdit::Over(const ff::Buffer& buffer, int width, int height, int64_t pts) {
    av_frame_unref(m_out.get());
    m_out->buf[0] = av_buffer_ref(buffer.get());
    if (!m_out->buf[0]) return nullptr;
    PlanesOf(m_out->buf[0]->data, width, height, 0, 0, m_out->data, m_out->linesize);
    m_out->format = AV_PIX_FMT_YUV420P;
    m_out->width = width;
    m_out->height = height;
    m_out->pts = pts;
    return m_out.get();
}

bool PictureEdit::Scale(ff::Scaler& scaler, const AVFrame& from, uint8_t* const to[3], const int toLines[3],
                        int width, int height) {
    scaler.reset(sws_getCachedContext(scaler.release(), from.width, from.height, AVPixelFormat(from.format), width,
                                      height, AV_PIX_FMT_YUV420P, SWS_BICUBIC, nullptr, nullptr, nullptr));
    if (!scaler) return false;
    return sws_scale(scaler.get(), from.data, from.linesize, 0, from.height, to, toLines) > 0;
}

}  // namespace clipforge
