// The one output format the recorder offers, "MP4 (H.264 + AAC)" (what
// ClipForge makes), with its picture sizes and bit rates, and the choice
// among them as config.ini keeps it in its [Convert] section:
//   Width, Height   0 = as recorded (or as cropped)
//   VideoKbps       0 = automatic (ClipForge's own quality)
//   AudioKbps
// No window system here.
#pragma once

#include <cstdint>
#include <string_view>

#include "settings/FormatProfile.h"

namespace settings {

inline constexpr const char* kMp4ProfileName = "MP4 (H.264 + AAC)";
inline constexpr int32_t kMp4FormatCode = 1;  // below kFirstAudioOnlyCode: it has pictures

inline constexpr const char* kConvertSection = "Convert";
inline constexpr const char* kWidthKey = "Width";
inline constexpr const char* kHeightKey = "Height";
inline constexpr const char* kVideoKbpsKey = "VideoKbps";
inline constexpr const char* kAudioKbpsKey = "AudioKbps";

struct ConvertChoice {
    int32_t width = 0, height = 0;
    int32_t videoKbps = 0;
    int32_t audioKbps = 128;
    bool operator==(const ConvertChoice&) const = default;
};

// Where the choice stands in the three lists (resolution, video bit rate,
// audio bit rate), counted from 0.
struct ChoicePositions {
    int32_t resolution = 0, videoBitrate = 0, audioBitrate = 1;
    bool operator==(const ChoicePositions&) const = default;
};

// Fills the first profile with the MP4 format and its lists; the others stay empty.
void FillProfiles(FormatProfiles& profiles);
// The values at these positions; a position no entry has means its list's default.
ConvertChoice ChoiceAt(const ChoicePositions& positions);
// The positions of these values; a value no entry has means its list's default.
ChoicePositions PositionsOf(const ConvertChoice& choice);
// The choice config.ini's texts of the four keys make, as the settings
// dialog would show it: a text that is not a whole number, or a value no
// entry has, means its list's default.
ConvertChoice ChoiceFromTexts(std::string_view width, std::string_view height, std::string_view videoKbps,
                              std::string_view audioKbps);

}  // namespace settings
