// The effects dialog's arithmetic without a window: brightness, contrast,
// saturation and the gray and negative effects on planar YUV 4:2:0 pictures,
// and the volume on 16-bit sound.
#pragma once

#include <cstddef>
#include <cstdint>

namespace effects {

enum Special : int32_t { kNoEffect = 0, kGray = 1, kNegative = 2 };
inline constexpr int32_t kSpecialCount = 3;
inline constexpr const char* kSpecialNames[kSpecialCount] = {"No effect", "Gray", "Negative"};

struct PictureSettings {
    int32_t brightness = 0;    // -100..+100
    int32_t contrast = 100;    // percent, 0..200
    int32_t saturation = 0;    // -100..+100
    int32_t special = kNoEffect;
};

// The chroma table for a contrast and saturation: T[i] = trunc((i - 128) ×
// (100 + sat) × k × 0.01 + 128.5) limited to 0..255, k = con × 0.01 in
// single precision.
void BuildChromaTable(uint8_t table[256], int32_t contrast, int32_t saturation);

// The picture of `frame` (chroma planes (width / 2) × (height / 2)) with the
// settings applied. Neutral settings give `frame` itself; otherwise the
// result is written into `scratch`, which must hold the picture's planes.
const uint8_t* Apply(const uint8_t* frame, uint8_t* scratch, int32_t width, int32_t height,
                     const PictureSettings& settings);

// One sample at `volume` percent: trunc(x × volume × 0.01f), clipped to
// -32768..32767 (a loud call turned up stays at full scale, never wraps).
int16_t ScaleSample(int16_t sample, int32_t volume);
void ScaleSamples(int16_t* samples, size_t count, int32_t volume);

}  // namespace effects
