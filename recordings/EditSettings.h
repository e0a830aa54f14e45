// What the crop and effects dialogs set for a recording: the crop rectangle
// on the 320 × 240 preview grid with its crop and zoom modes, and the
// brightness, contrast, saturation, special effect and volume. Each recording
// holds one; the main window holds one more for when no recording is
// selected. The defaults here are the neutral values, written once.
#pragma once

#include <cstdint>

struct EditSettings {
    int32_t cropLeft = 0, cropTop = 0, cropRight = 320, cropBottom = 240;
    int32_t cropMode = 0, zoomMode = 0;
    int32_t brightness = 0, contrast = 100, saturation = 0, volume = 100;
    int32_t effect = 0;
    // The crop dialog's hidden brightness slider; stored, never applied.
    int32_t brightnessLevel = 128;

    bool operator==(const EditSettings&) const = default;
};
