// What the converter makes of a recording's edits: the fit of a picture into
// the output size, the trim's positions and samples, and one conversion
// through the edits checked with the host's ffprobe and ffmpeg.
#include <gtest/gtest.h>

#include "editing/EffectRules.h"
#include "editing/FitRules.h"
#include "tests/native/avi_test_support.h"
#include "tests/native/host_tools.h"
#include "tests/support/test_recording.h"
#include "tools/clipforge/convert/Converter.h"
#include "tools/clipforge/convert/TrimWindow.h"

namespace {

using editfile::PixelRect;

TEST(FitRules, EachModeFillsTheOutputItsWayWithEvenSizesAndPositions) {
    // 4:3 into 16:9: bars left and right, the top and bottom cut, or stretched.
    fit::Placement p = fit::Place(320, 240, 640, 360, fit::kLetterbox);
    EXPECT_EQ(p.source, (PixelRect{0, 0, 320, 240}));
    EXPECT_EQ(p.target, (PixelRect{80, 0, 480, 360}));
    p = fit::Place(320, 240, 640, 360, fit::kPanAndScan);
    EXPECT_EQ(p.source, (PixelRect{0, 30, 320, 180}));
    EXPECT_EQ(p.target, (PixelRect{0, 0, 640, 360}));
    p = fit::Place(320, 240, 640, 360, fit::kFullScreen);
    EXPECT_EQ(p.source, (PixelRect{0, 0, 320, 240}));
    EXPECT_EQ(p.target, (PixelRect{0, 0, 640, 360}));

    // A wide picture in a 4:3 output: bars above and below, or the sides cut.
    EXPECT_EQ(fit::Place(1280, 720, 640, 480, fit::kLetterbox).target, (PixelRect{0, 60, 640, 360}));
    EXPECT_EQ(fit::Place(1280, 720, 640, 480, fit::kPanAndScan).source, (PixelRect{160, 0, 960, 720}));

    // Odd results land on even numbers: a tall crop in 854 x 480, and an odd
    // output size, which 4:2:0 cannot hold.
    EXPECT_EQ(fit::Place(240, 320, 854, 480, fit::kLetterbox).target, (PixelRect{246, 0, 360, 480}));
    EXPECT_EQ(fit::Place(322, 240, 640, 360, fit::kPanAndScan).source, (PixelRect{0, 28, 322, 182}));  // 181.1
    p = fit::Place(101, 77, 853, 479, fit::kLetterbox);
    EXPECT_EQ(p.outWidth, 852);
    EXPECT_EQ(p.outHeight, 478);
    EXPECT_EQ(p.target.width % 2 + p.target.height % 2 + p.target.x % 2 + p.target.y % 2, 0) << p.target.x;

    // No size wanted, the same shape, or an unknown mode: the picture as it is.
    EXPECT_EQ(fit::Place(320, 240, 0, 0, fit::kPanAndScan), (fit::Placement{{0, 0, 320, 240}, {0, 0, 320, 240}, 320, 240}));
    EXPECT_EQ(fit::Place(640, 360, 1280, 720, fit::kPanAndScan).target, (PixelRect{0, 0, 1280, 720}));
    EXPECT_EQ(fit::Place(320, 240, 640, 360, 7), fit::Place(320, 240, 640, 360, fit::kLetterbox));
    // The thinnest sliver still gets two pixels.
    EXPECT_EQ(fit::Place(4096, 2, 640, 480, fit::kLetterbox).target.height, 2);
}

TEST(TrimWindow, KeepsThePicturesFromTheFirstAtOrAfterTheStartAndCutsTheSoundThere) {
    const AVRational tb{1, 25};
    clipforge::TrimWindow w = clipforge::TrimFor(2000, 8000, tb);
    EXPECT_EQ(w.firstPts, 50);
    EXPECT_EQ(w.endPts, 200);
    EXPECT_EQ(w.FirstSample(48000), 96000);
    EXPECT_EQ(w.EndSample(48000), 384000);
    EXPECT_DOUBLE_EQ(w.KeptSeconds(12.0), 6.0);

    // Between two pictures: the next one, and its sound.
    w = clipforge::TrimFor(2010, 0, tb);
    EXPECT_EQ(w.firstPts, 51);
    EXPECT_EQ(w.FirstSample(48000), 97920);
    EXPECT_EQ(w.endPts, clipforge::TrimWindow::kOpenEnd);
    EXPECT_EQ(w.EndSample(44100), clipforge::TrimWindow::kOpenEnd);
    EXPECT_NEAR(w.KeptSeconds(12.0), 9.96, 1e-9);

    // An end past the recording keeps to its end; a start past it keeps nothing.
    EXPECT_DOUBLE_EQ(clipforge::TrimFor(1000, 60000, tb).KeptSeconds(12.0), 11.0);
    EXPECT_EQ(clipforge::TrimFor(20000, 0, tb).KeptSeconds(12.0), 0.0);
    EXPECT_EQ(clipforge::TrimFor(0, 0, tb).KeptSeconds(-1.0), 0.0);
    EXPECT_FALSE(clipforge::TrimFor(0, 0, tb).Trims());
}

// Mean luma of a block of a decoded rgb24 picture.
double Luma(const std::string& rgb, int width, int x, int y) {
    double sum = 0;
    for (int dy = 0; dy < 8; ++dy)
        for (int dx = 0; dx < 8; ++dx) {
            const size_t at = (size_t(y + dy) * width + x + dx) * 3;
            sum += 16 + (65.481 * uint8_t(rgb[at]) + 128.553 * uint8_t(rgb[at + 1]) + 24.966 * uint8_t(rgb[at + 2])) / 255;
        }
    return sum / 64;
}

TEST(ClipForgeConvert, TrimStartingWhereNoPictureIsShowsTheOneBeforeAndEditsEveryPicture) {
    TempFolder dir;
    const std::string avi = dir.File("call.avi"), mp4 = dir.File("call.mp4");
    testrec::Plan plan;
    plan.swapEverySecond = true;  // second 0: red left, blue right; second 1 swapped
    plan.skipFrom = 10;           // no pictures from 0.4 s to 0.8 s
    plan.skipTo = 20;
    ASSERT_TRUE(testrec::WriteRecording(avi, plan));

    clipforge::ConvertRequest request;
    request.input = avi;
    request.output = mp4;
    request.edits.trimStartMs = 600;
    request.edits.trimEndMs = 2000;
    request.edits.fit = fit::kPanAndScan;
    request.edits.effect = effects::kNegative;
    request.edits.volume = 200;
    request.choice = {640, 360, 0, 96};
    const clipforge::ConvertResult r = clipforge::ConvertRecording(request);
    ASSERT_EQ(r.status, clipforge::ConvertStatus::Done) << r.message;
    EXPECT_EQ(r.applied, "trim 00:00:00.600-00:00:02.000, pan and scan 640x360, negative, volume 200%");

    EXPECT_EQ(StreamField(mp4, "v", "width,height"), "640,360");
    const ToolResult times = RunTool("ffprobe -v error -select_streams v -show_entries frame=pts_time -of csv=p=0 " +
                                     Quote(mp4));
    EXPECT_EQ(times.output.substr(0, times.output.find_first_of(",\n")), "0.000000") << "the MP4 does not start at 0";
    // 0.8 s to 2 s has pictures of its own; 0.6 s to 0.8 s shows the one from 0.36 s.
    EXPECT_EQ(r.pictures, 31);
    EXPECT_NEAR(r.seconds, 1.4, 0.001);
    EXPECT_NEAR(std::atof(StreamField(mp4, "a", "duration").c_str()), 1.4, 0.03);

    // The first picture is second 0's, negated and filling the picture to its
    // corners (red's luma 81 becomes 174, blue's 41 becomes 214); the last is
    // second 1's, swapped.
    const ToolResult pictures = RunTool("ffmpeg -v error -nostdin -i " + Quote(mp4) +
                                        " -vsync passthrough -f rawvideo -pix_fmt rgb24 -");
    const size_t bytes = 640 * 360 * 3;
    ASSERT_EQ(pictures.output.size(), bytes * 31);
    const std::string first = pictures.output.substr(0, bytes), last = pictures.output.substr(bytes * 30);
    EXPECT_NEAR(Luma(first, 640, 4, 4), 174, 8);
    EXPECT_NEAR(Luma(first, 640, 628, 348), 214, 8);
    EXPECT_NEAR(Luma(last, 640, 4, 4), 214, 8);
    EXPECT_NEAR(Luma(last, 640, 628, 348), 174, 8);

    // Tones of amplitude 9000 (-14.2 dBFS RMS) at twice the volume.
    const ToolResult level = RunTool("ffmpeg -nostdin -i " + Quote(mp4) + " -af volumedetect -vn -f null - 2>&1 "
                                     "| sed -n 's/.*mean_volume: \\([-0-9.]*\\) dB/\\1/p'");
    EXPECT_NEAR(std::atof(level.output.c_str()), -8.2, 0.6) << level.output;
    EXPECT_NEAR(std::atof(StreamField(mp4, "a", "bit_rate").c_str()), 96000, 12000)
        << "the audio bit rate chosen was not used";

    // An odd crop letterboxed with effects: its bars and picture in bounds
    // (the sanitizers watch), even sizes in the MP4.
    request.output = dir.File("cropped.mp4");
    request.edits = {};
    request.edits.cropLeft = 31, request.edits.cropTop = 17, request.edits.cropRight = 203, request.edits.cropBottom = 201;
    request.edits.brightness = 40;
    request.edits.saturation = -50;
    request.choice = {854, 480, 500, 128};
    const clipforge::ConvertResult cropped = clipforge::ConvertRecording(request);
    ASSERT_EQ(cropped.status, clipforge::ConvertStatus::Done) << cropped.message;
    EXPECT_EQ(cropped.applied, "crop 172x184+30+16, letterbox 854x480, brightness +40, saturation -50");
    EXPECT_EQ(StreamField(request.output, "v", "width,height,nb_read_packets"), "854,480,65");
}

}  // namespace
