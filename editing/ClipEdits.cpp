#include "editing/ClipEdits.h"

#include <algorithm>

#include "editing/CropRules.h"

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
    // The full range and the trim points are in milliseconds; an end at the
    // full range's end is "to the end".
    const int32_t start = std::max(clip.trimStart - clip.fullRangeStart, 0);
    const bool endInside = clip.trimEnd > clip.trimStart && clip.trimEnd < clip.fullRangeEnd;
    out.trimStartMs = start;
    out.trimEndMs = endInside ? clip.trimEnd - clip.fullRangeStart : 0;
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
