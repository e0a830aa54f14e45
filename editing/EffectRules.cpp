#include "editing/EffectRules.h"

#include <algorithm>
#include <cstring>

namespace effects {

namespace {

// The scale factor is a float; the products are taken in double, which is
// what makes volume 200 on 10000 give 19999 rather than 20000.
constexpr float kPercent = 0.01f;

float ContrastFactor(int32_t contrast) { return static_cast<float>(contrast * 0.01); }

}  // namespace

void BuildChromaTable(uint8_t table[256], int32_t contrast, int32_t saturation) {
    const double k = ContrastFactor(contrast);
    for (int i = 0; i < 256; ++i) {
        const double v = double((i - 128) * (100 + int64_t{saturation})) * k * 0.01 + 128.5;
        table[i] = static_cast<uint8_t>(std::clamp(static_cast<int64_t>(v), int64_t{0}, int64_t{255}));
    }
}

const uint8_t* Apply(const uint8_t* frame, uint8_t* scratch, int32_t width, int32_t height,
                     const PictureSettings& s) {
    const bool colour = s.brightness != 0 || s.contrast != 100 || s.saturation != 0;
    const bool special = s.special == kGray || s.special == kNegative;
    if (!frame || !scratch || width <= 0 || height <= 0 || (!colour && !special)) return frame;

    const size_t luma = size_t(width) * size_t(height);
    const size_t chroma = 2 * size_t(width / 2) * size_t(height / 2);
    uint8_t* const y = scratch;
    uint8_t* const uv = scratch + luma;
    std::memcpy(scratch, frame, luma + chroma);

    if (colour) {
        uint8_t table[256];
        BuildChromaTable(table, s.contrast, s.saturation);
        const double k = ContrastFactor(s.contrast);
        uint8_t lumaTable[256];
        for (int i = 0; i < 256; ++i) {
            const double v = std::clamp(s.brightness + k * (i - 128), -112.0, 112.0);
            lumaTable[i] = static_cast<uint8_t>(v + 128);
        }
        for (size_t i = 0; i < luma; ++i) y[i] = lumaTable[y[i]];
        for (size_t i = 0; i < chroma; ++i) uv[i] = table[uv[i]];
    }
    if (s.special == kNegative) {
        for (size_t i = 0; i < luma + chroma; ++i) scratch[i] = uint8_t(255 - scratch[i]);
    } else if (s.special == kGray) {
        std::memset(uv, 128, chroma);
    }
    return scratch;
}

int16_t ScaleSample(int16_t sample, int32_t volume) {
    const double scaled = double(sample) * volume * double(kPercent);
    return static_cast<int16_t>(std::clamp(static_cast<int64_t>(scaled), int64_t{-32768}, int64_t{32767}));
}

void ScaleSamples(int16_t* samples, size_t count, int32_t volume) {
    for (size_t i = 0; i < count; ++i) samples[i] = ScaleSample(samples[i], volume);
}

}  // namespace effects
