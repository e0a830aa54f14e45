// What a conversion does to a recording: its edits (trim, crop, fit,
// effects, volume) and the output size and bit rates chosen in the
// recorder's settings, worked out for the recording's picture size and
// timing. A plain plan converts as if there were none of them.
#pragma once

#include <string>

#include "editing/EditFile.h"
#include "editing/EffectRules.h"
#include "editing/FitRules.h"
#include "settings/ConvertChoice.h"
#include "tools/clipforge/convert/TrimWindow.h"

namespace clipforge {

struct EditPlan {
    editfile::RecordingEdits edits;  // within their ranges
    TrimWindow trim;
    editfile::PixelRect crop;  // in the recording's pixels; the whole (even) picture when none
    fit::Placement fit;        // of the cropped picture in the output
    effects::PictureSettings picture;
    int32_t volume = 100;
    int32_t videoKbps = 0;     // 0: ClipForge's own quality
    int32_t audioKbps = 128;

    bool Crops() const { return edits.HasCrop(); }
    bool Scales() const;  // the output is not the cropped picture as it is
    bool ChangesPicture() const { return Crops() || Scales() || HasEffects(); }
    bool HasEffects() const;
    bool ChangesVolume() const { return volume != 100; }
    // Nothing changes pictures, sound or time: the conversion as without edits.
    bool Plain() const { return !trim.Trims() && !ChangesPicture() && !ChangesVolume(); }
    // The part of the recording's picture that reaches the output: the crop,
    // and within it what the fit shows.
    editfile::PixelRect Region() const;
};

EditPlan PlanEdits(const editfile::RecordingEdits& edits, const settings::ConvertChoice& choice, int width,
                   int height, AVRational timeBase);

// "trim 00:00:02.000-00:00:08.000, crop 320x240+0+0, letterbox 640x360,
// brightness +40, volume 50%"; empty when the plan is plain.
std::string DescribeEdits(const EditPlan& plan);

}  // namespace clipforge
