// A recording's edits kept beside it, in "<recording file name>.edits.ini",
// so that the converter applies them after the recorder has forgotten them:
//
//   [Edits]
//   TrimStartMs=0     milliseconds from the start of the recording
//   TrimEndMs=0       0 = to the end
//   CropLeft=0        source pixels; Right and Bottom exclusive; all 0 = no crop
//   CropTop=0
//   CropRight=0
//   CropBottom=0
//   Fit=0             0 Letterbox, 1 Pan and scan, 2 Full screen
//   Brightness=0      -100..100
//   Contrast=100      0..200
//   Saturation=0      -100..100
//   Effect=0          0 none, 1 gray, 2 negative
//   Volume=100        0..200 (percent)
//
// Reading never fails: a missing file, section or key, or a value that is
// not a whole number, means the neutral value; numbers beyond a range are
// held to it; an unknown fit or effect means the neutral one. No window
// system here: the recorder writes the file, ClipForge reads it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace editfile {

inline constexpr const char* kSuffix = ".edits.ini";

struct RecordingEdits {
    int32_t trimStartMs = 0, trimEndMs = 0;
    int32_t cropLeft = 0, cropTop = 0, cropRight = 0, cropBottom = 0;
    int32_t fit = 0;
    int32_t brightness = 0, contrast = 100, saturation = 0;
    int32_t effect = 0;
    int32_t volume = 100;

    bool operator==(const RecordingEdits&) const = default;
    bool IsNeutral() const { return *this == RecordingEdits{}; }
    bool HasCrop() const { return cropRight > cropLeft && cropBottom > cropTop; }
};

// "C:\Rec\a.avi" -> "C:\Rec\a.avi.edits.ini".
std::string PathFor(const std::string& recordingPath);

// The edits a file's text holds, every value within its range.
RecordingEdits Parse(std::string_view text);
// `edits` with every value within its range, as Parse gives them.
RecordingEdits Clamped(RecordingEdits edits);
// The file's text (CRLF lines), every key written.
std::string Format(const RecordingEdits& edits);
// Reads the file at `path` (its first 64 KiB); neutral when there is none.
RecordingEdits Read(const std::string& path);

// A picture rectangle in source pixels.
struct PixelRect {
    int32_t x = 0, y = 0, width = 0, height = 0;
    bool operator==(const PixelRect&) const = default;
};

// The part of a width × height picture the crop keeps: within the picture,
// with even position and size. The whole picture when there is no crop or
// nothing of it lies within the picture.
PixelRect CropIn(const RecordingEdits& edits, int32_t width, int32_t height);

}  // namespace editfile
