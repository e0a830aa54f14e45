// Feeds what the reader decodes to the writer through the edits: pictures
// and sound outside the trim are left out, the rest is timed from the trim's
// start, pictures go through the crop, effects and fit, sound through the
// volume. Progress counts the part kept.
#pragma once

#include "tools/clipforge/convert/Converter.h"
#include "tools/clipforge/convert/EditPlan.h"
#include "tools/clipforge/convert/Mp4Writer.h"
#include "tools/clipforge/convert/PictureEdit.h"
#include "tools/clipforge/convert/RecordingReader.h"
#include "tools/clipforge/convert/SoundEdit.h"

namespace clipforge {

class EditedPipe : public DecodedSink {
public:
    // `keptSeconds`: the length of the part kept, for the progress.
    EditedPipe(Mp4Writer& writer, const EditPlan& plan, const ConvertRequest& request, double keptSeconds,
               bool hasSound);
    bool Open() { return m_pictures.Open(m_plan) && m_before && m_last && m_timed; }

    bool Picture(AVFrame* frame) override;
    bool Sound(AVFrame* frame) override;
    bool Satisfied() const override { return m_picturesDone && (!m_hasSound || m_sound.PastEnd()); }

private:
    // Writes `picture` edited, at position `pts` of the recording.
    bool Emit(const AVFrame* picture, int64_t pts);
    static bool Keep(ff::Frame& into, const AVFrame* picture);

    Mp4Writer& m_writer;
    const EditPlan& m_plan;
    const ConvertRequest& m_request;
    double m_keptSeconds;
    bool m_hasSound;
    PictureEdit m_pictures;
    SoundEdit m_sound;
    // A position without a picture of its own shows the one before, so the
    // last picture before the trim's start opens the MP4 when the start's own
    // position has none, and the last kept fills the positions up to the end.
    ff::Frame m_before = ff::Frame(av_frame_alloc());
    ff::Frame m_last = ff::Frame(av_frame_alloc());
    ff::Frame m_timed = ff::Frame(av_frame_alloc());
    int64_t m_lastPts = AV_NOPTS_VALUE;
    bool m_picturesDone = false;
};

}  // namespace clipforge
