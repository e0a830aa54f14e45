#include "editing/ClipEdits.h"

#include <algorithm>

#include "editing/CropRules.h"
#include "editing/DecimalTruncate.h"

namespace {

void SetCrop(editfile::RecordingEdits& out, const EditSettings& edits, int32_t width, int32_t height) {
    if (width <= 0 || height <= 0) return;  // no picture, nothing to crop
    const crop::EdgeValues source =
        crop::ToSource({edits.cropLeft, edits.cropTop, edits.cropRight, edits.cropBottom}, width, height);
    editfile::RecordingEdits asked;
    asked.cropLeft = std::max(source.left, 0);
    asked.cropTop = std::max(source.top, 0);
    asked.cropRight = std::max(source.right, 0);
    asked.cropBottom = std::max(source.bottom, 0);
    const editfile::PixelRect kept = editfile::CropIn(asked, width, height);
    const bool whole = kept.x == 0 && kept.y == 0 && kept.width >= (width & ~1) && kept.height >= (height & ~1);
    if (whole) return;
    out.cropLeft = kept.x;
    out.cropTop = kept.y;
    out.cropRight = kept.x + kept.width;
    out.cropBottom = kept.y + kept.height;
}

}  // namespace

editfile::RecordingEdits EditsOf(const ClipRecord& clip) {
    editfile::RecordingEdits out;
    // From the chosen fractions of the duration, so that a typed time comes
    // back whole; an end at the recording's end is "to the end".
    const double ms = clip.duration * 1000.0;
    if (ms > 0 && clip.endFraction > clip.startFraction) {
        out.trimStartMs = TruncateDecimal(clip.startFraction * ms);
        out.trimEndMs = clip.endFraction < 1.0 ? TruncateDecimal(clip.endFraction * ms) : 0;
    }
    const EditSettings& e = clip.edits;
    SetCrop(out, e, clip.pictureWidth, clip.pictureHeight);
    out.fit = e.zoomMode;
    out.brightness = e.brightness;
    out.contrast = e.contrast;
    out.saturation = e.saturation;
    out.effect = e.effect;
    out.volume = e.volume;
    return editfile::Clamped(out);
}
