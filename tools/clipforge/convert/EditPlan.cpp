#include "tools/clipforge/convert/EditPlan.h"

#include <cstdio>

namespace clipforge {

namespace {

std::string TimeText(int32_t ms) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03d", ms / 3600000, ms / 60000 % 60, ms / 1000 % 60, ms % 1000);
    return text;
}

std::string Signed(int32_t value) {
    return (value > 0 ? "+" : "") + std::to_string(value);
}

std::string SizeText(int32_t width, int32_t height) {
    return std::to_string(width) + "x" + std::to_string(height);
}

}  // namespace

bool EditPlan::Scales() const {
    return fit.outWidth != crop.width || fit.outHeight != crop.height;
}

bool EditPlan::HasEffects() const {
    return picture.brightness != 0 || picture.contrast != 100 || picture.saturation != 0 ||
           picture.special != effects::kNoEffect;
}

editfile::PixelRect EditPlan::Region() const {
    return {crop.x + fit.source.x, crop.y + fit.source.y, fit.source.width, fit.source.height};
}

EditPlan PlanEdits(const editfile::RecordingEdits& given, const settings::ConvertChoice& choice, int width,
                   int height, AVRational timeBase) {
    EditPlan plan;
    plan.edits = editfile::Clamped(given);
    const editfile::RecordingEdits& e = plan.edits;
    plan.trim = TrimFor(e.trimStartMs, e.trimEndMs, timeBase);
    plan.crop = editfile::CropIn(e, width, height);
    plan.crop.width &= ~1;  // the whole picture of an odd size
    plan.crop.height &= ~1;
    plan.fit = fit::Place(plan.crop.width, plan.crop.height, choice.width, choice.height, e.fit);
    plan.picture = {e.brightness, e.contrast, e.saturation, e.effect};
    plan.volume = e.volume;
    plan.videoKbps = choice.videoKbps;
    plan.audioKbps = choice.audioKbps;
    return plan;
}

std::string DescribeEdits(const EditPlan& plan) {
    const editfile::RecordingEdits& e = plan.edits;
    std::string text;
    const auto add = [&](const std::string& item) { text += (text.empty() ? "" : ", ") + item; };
    if (plan.trim.Trims())
        add("trim " + TimeText(e.trimStartMs) + "-" + (e.trimEndMs > 0 ? TimeText(e.trimEndMs) : "end"));
    if (plan.Crops())
        add("crop " + SizeText(plan.crop.width, plan.crop.height) + "+" + std::to_string(plan.crop.x) + "+" +
            std::to_string(plan.crop.y));
    if (plan.Scales())
        add(std::string(fit::kModeNames[e.fit]) + " " + SizeText(plan.fit.outWidth, plan.fit.outHeight));
    if (e.brightness != 0) add("brightness " + Signed(e.brightness));
    if (e.contrast != 100) add("contrast " + std::to_string(e.contrast) + "%");
    if (e.saturation != 0) add("saturation " + Signed(e.saturation));
    if (e.effect != effects::kNoEffect) add(e.effect == effects::kGray ? "gray" : "negative");
    if (plan.ChangesVolume()) add("volume " + std::to_string(e.volume) + "%");
    return text;
}

}  // namespace clipforge
