// The dialogs drawn from "skin\little": the editing dialogs' shared frame,
// the settings dialog and the floating stop button. Dialogs that show the same
// picture show it at the same size, which the skin generator draws.
#pragma once

#include <span>
#include <string_view>

#include "layout/SkinPlace.h"
#include "res/resource.h"

namespace layout {

namespace editframe {

inline constexpr int kWidth = 600, kHeight = 450;

// The frame's buttons. Each dialog has its own ids for them but OK and
// Cancel, so the ids are the dialog's, given in this order.
inline constexpr ButtonPlace kButtons[] = {
    {0, "play", {49, 309, 36, 38}},   {0, "pause", {15, 311, 34, 34}},  {0, "stop", {85, 311, 34, 34}},
    {0, "reset", {284, 406, 97, 30}}, {kOkId, "ok", {386, 406, 97, 30}}, {kCancelId, "cancel", {490, 406, 97, 30}},
    {0, "close", {570, 4, 21, 19}},
};

// The preview, at (x, kPreviewTop): x is the trim dialog's or the others'.
inline constexpr int kTrimPreviewX = 13, kPreviewX = 14, kPreviewTop = 51;
inline constexpr int kPreviewWidth = 320, kPreviewHeight = 240;
// The trim dialog's OK buttons beside its two times, on the controls' panel.
inline constexpr ButtonPlace kTrimTimeButtons[] = {
    {IDC_TRIM_START_OK, "small_ok", {450, 120, 92, 20}},
    {IDC_TRIM_END_OK, "small_ok", {450, 220, 92, 20}},
};

}  // namespace editframe

namespace settingsdlg {

inline constexpr int kWidth = 500, kHeight = 300;

inline constexpr ButtonPlace kButtons[] = {
    {kOkId, "ok", {260, 250, 97, 30}},
    {kCancelId, "cancel", {370, 250, 97, 30}},
    {IDC_SETTINGS_CLOSE, "close", {470, 4, 21, 19}},
};

}  // namespace settingsdlg

// The floating stop window is its button, at the picture's size.
inline constexpr int kFloatStopWidth = 52, kFloatStopHeight = 54;

// The pictures both dialogs show come in one size.
constexpr bool SameSizes(const ButtonPlace& a, std::span<const ButtonPlace> others) {
    for (const ButtonPlace& b : others)
        if (std::string_view(a.skin) == b.skin) return a.box.width == b.box.width && a.box.height == b.box.height;
    return false;
}
static_assert([] {
    for (const ButtonPlace& place : settingsdlg::kButtons)
        if (!SameSizes(place, editframe::kButtons)) return false;
    return true;
}());

}  // namespace layout
