// A recording's edit file: what the recorder writes reads back the same,
// hostile text reads as something sound, and a record's crop on the preview
// grid becomes even source pixels.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "editing/ClipEdits.h"
#include "editing/EditFile.h"

namespace {

using editfile::RecordingEdits;

TEST(EditFile, WhatIsWrittenReadsBackTheSameThroughAFile) {
    RecordingEdits edits;
    edits.trimStartMs = 1500;
    edits.trimEndMs = 2147483647;
    edits.cropLeft = 80, edits.cropTop = 60, edits.cropRight = 560, edits.cropBottom = 420;
    edits.fit = 2;
    edits.brightness = -100, edits.contrast = 0, edits.saturation = 100;
    edits.effect = 1, edits.volume = 200;
    const std::string text = editfile::Format(edits);
    EXPECT_EQ(text.substr(0, 22), "[Edits]\r\nTrimStartMs=1");
    const std::string path = testing::TempDir() + "/call.avi" + editfile::kSuffix;
    std::ofstream(path, std::ios::binary) << text;
    EXPECT_EQ(editfile::Read(path), edits);
    std::remove(path.c_str());
    EXPECT_TRUE(editfile::Read(path).IsNeutral()) << "no file: nothing to apply";
    EXPECT_EQ(editfile::PathFor("C:\\Rec\\2026-12-09 14-30-05.avi"),
              "C:\\Rec\\2026-12-09 14-30-05.avi.edits.ini");
}

TEST(EditFile, HostileTextReadsAsSoundValuesAndNeverFails) {
    // Garbage, other sections, comments, spacing and case.
    const char kMessy[] =
        "\xEF\xBB\xBF; made by hand\n[Other]\nVolume=5\n[ edits ]\r\n  volume = 50 ; quieter\n"
        "Brightness=ten\nContrast=\nSaturation=-7x\n=3\njunk\n\0\xff\nEffect=2\n";
    RecordingEdits e = editfile::Parse(std::string_view(kMessy, sizeof kMessy - 1));
    EXPECT_EQ(e.volume, 50);
    EXPECT_EQ(e.brightness, 0);
    EXPECT_EQ(e.contrast, 100);
    EXPECT_EQ(e.saturation, 0);
    EXPECT_EQ(e.effect, 2) << "a stray NUL ended the reading";

    // Huge numbers are held to their range; codes beyond theirs mean none.
    e = editfile::Parse("[Edits]\nBrightness=99999999999999999999999999\nContrast=-5\nVolume=100000\n"
                        "TrimStartMs=-20\nTrimEndMs=+4294967296\nFit=3\nEffect=-1\n");
    EXPECT_EQ(e.brightness, 100);
    EXPECT_EQ(e.contrast, 0);
    EXPECT_EQ(e.volume, 200);
    EXPECT_EQ(e.trimStartMs, 0);
    EXPECT_EQ(e.trimEndMs, 2147483647);
    EXPECT_EQ(e.fit, 0);
    EXPECT_EQ(e.effect, 0);

    // An end before the start runs to the end; a crop with no inside is none.
    e = editfile::Parse("[Edits]\nTrimStartMs=5000\nTrimEndMs=4000\nCropLeft=300\nCropRight=100\nCropBottom=50\n");
    EXPECT_EQ(e.trimStartMs, 5000);
    EXPECT_EQ(e.trimEndMs, 0);
    EXPECT_FALSE(e.HasCrop());
    EXPECT_EQ(e.cropLeft, 0);
    EXPECT_TRUE(editfile::Parse("").IsNeutral());
    EXPECT_TRUE(editfile::Parse("[Edits]").IsNeutral());
}

TEST(EditFile, ACropIsKeptWithinThePictureWithEvenSizes) {
    RecordingEdits e;
    e.cropLeft = 81, e.cropTop = 61, e.cropRight = 560, e.cropBottom = 421;
    EXPECT_EQ(editfile::CropIn(e, 640, 480), (editfile::PixelRect{80, 60, 480, 360}));
    // Reaching past the picture: cut at its edge.
    e.cropRight = 5000, e.cropBottom = 5000;
    EXPECT_EQ(editfile::CropIn(e, 641, 481), (editfile::PixelRect{80, 60, 560, 420}));
    // Wholly outside, or no picture size: the whole picture.
    e.cropLeft = 700, e.cropTop = 0, e.cropRight = 900, e.cropBottom = 100;
    EXPECT_EQ(editfile::CropIn(e, 640, 480), (editfile::PixelRect{0, 0, 640, 480}));
    EXPECT_EQ(editfile::CropIn(e, 0, 480), (editfile::PixelRect{0, 0, 0, 480}));
    EXPECT_EQ(editfile::CropIn(RecordingEdits{}, 320, 240), (editfile::PixelRect{0, 0, 320, 240}));
}

TEST(ClipEdits, ARecordsGridCropTrimAndEffectsBecomeTheFilesValues) {
    ClipRecord clip;
    SetClipMedia(clip, 10.0, 642, 362);
    EXPECT_TRUE(EditsOf(clip).IsNeutral()) << "a new recording has nothing to write";

    // "Cut off all" on the grid: 40, 30, 280, 210 of 320 x 240.
    clip.edits.cropLeft = 40, clip.edits.cropTop = 30, clip.edits.cropRight = 280, clip.edits.cropBottom = 210;
    clip.edits.zoomMode = 1;
    clip.edits.volume = 300;  // beyond the dialog's range: held to it
    clip.startFraction = 0.2;  // the end stays at the recording's end
    RecordingEdits e = EditsOf(clip);
    EXPECT_EQ(e.trimStartMs, 2000);
    EXPECT_EQ(e.trimEndMs, 0);
    // 642 × 40 / 320 = 80, × 280 / 320 = 561 (to 560); 362 × 30 / 240 = 45 (to 44), × 210 / 240 = 316.
    EXPECT_EQ((std::vector<int>{e.cropLeft, e.cropTop, e.cropRight, e.cropBottom}),
              (std::vector<int>{80, 44, 560, 316}));
    EXPECT_EQ(e.fit, 1);
    EXPECT_EQ(e.volume, 200);

    // The whole grid on an odd picture is no crop; a picture-less file has none.
    clip.edits = EditSettings{};
    clip.endFraction = 0.75;
    e = EditsOf(clip);
    EXPECT_FALSE(e.HasCrop());
    EXPECT_EQ(e.trimEndMs, 7500);
    // Times typed into a recording of no whole millisecond length come back whole.
    SetClipMedia(clip, 5.0404, 642, 362);
    clip.startFraction = 1 / 5.0404, clip.endFraction = 3 / 5.0404;
    e = EditsOf(clip);
    EXPECT_EQ(e.trimStartMs, 1000);
    EXPECT_EQ(e.trimEndMs, 3000);
    clip.edits.cropLeft = 40;
    clip.pictureWidth = clip.pictureHeight = 0;
    EXPECT_FALSE(EditsOf(clip).HasCrop());
}

}  // namespace
