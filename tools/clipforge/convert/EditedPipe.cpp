#include "tools/clipforge/convert/EditedPipe.h"

namespace clipforge {

EditedPipe::EditedPipe(Mp4Writer& writer, const EditPlan& plan, const ConvertRequest& request, double keptSeconds,
                       bool hasSound)
    : m_writer(writer), m_plan(plan), m_request(request), m_keptSeconds(keptSeconds), m_hasSound(hasSound),
      m_sound(plan) {}

bool EditedPipe::Keep(ff::Frame& into, const AVFrame* picture) {
    av_frame_unref(into.get());
    return av_frame_ref(into.get(), picture) >= 0;
}

bool EditedPipe::Picture(AVFrame* frame) {
    const TrimWindow& trim = m_plan.trim;
    if (frame->pts == AV_NOPTS_VALUE || m_picturesDone) return true;
    if (frame->pts < trim.firstPts) return Keep(m_before, frame);
    if (frame->pts >= trim.endPts) {
        m_picturesDone = true;
        return m_lastPts == AV_NOPTS_VALUE || m_lastPts >= trim.endPts - 1 || Emit(m_last.get(), trim.endPts - 1);
    }
    if (m_lastPts == AV_NOPTS_VALUE && frame->pts > trim.firstPts && m_before->buf[0] &&
        !Emit(m_before.get(), trim.firstPts))
        return false;
    if (!Emit(frame, frame->pts)) return false;
    return trim.endPts == TrimWindow::kOpenEnd || Keep(m_last, frame);
}

bool EditedPipe::Emit(const AVFrame* picture, int64_t pts) {
    const AVFrame* edited = m_plan.ChangesPicture() ? m_pictures.Edit(picture) : picture;
    if (!edited) return !m_pictures.Failed();  // not of the planned size: left out
    if (!Keep(m_timed, edited)) return false;
    const int64_t inMp4 = pts - m_plan.trim.firstPts;  // the MP4 starts at the trim's start
    m_timed->pts = inMp4;
    const bool written = m_writer.Picture(m_timed.get());
    av_frame_unref(m_timed.get());
    if (!written) return false;
    m_lastPts = pts;
    if (m_request.progress) m_request.progress((inMp4 + 1) * av_q2d(m_plan.trim.timeBase), m_keptSeconds);
    return true;
}

bool EditedPipe::Sound(AVFrame* frame) {
    const AVFrame* kept = m_sound.Edit(frame);
    if (!kept) return !m_sound.Failed();
    return m_writer.Sound(kept);
}

}  // namespace clipforge
