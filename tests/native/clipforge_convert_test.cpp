// The conversion to MP4, on recordings made with our own encoder and AVI
// writer, checked with the host's ffprobe and ffmpeg.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <fstream>
#include <iterator>

#include "tests/native/avi_test_support.h"
#include "tests/support/test_recording.h"
#include "tests/native/host_tools.h"
#include "tests/support/tone.h"
#include "tools/clipforge/convert/Converter.h"

namespace {

constexpr int kW = 320, kH = 240;

void MakeRecording(const std::string& path, int positions, int skipFrom = -1, int skipTo = -1) {
    testrec::Plan plan;
    plan.positions = positions;
    plan.skipFrom = skipFrom;
    plan.skipTo = skipTo;
    ASSERT_TRUE(testrec::WriteRecording(path, plan));
}

std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

bool Exists(const std::string& path) {
    return std::ifstream(path).good();
}

double Duration(const std::string& path) {
    const ToolResult r = RunTool("ffprobe -v error -show_entries format=duration -of csv=p=0 " + Quote(path));
    return r.exitCode == 0 ? std::atof(r.output.c_str()) : -1;
}

// The top-level boxes of an MP4, in file order.
std::vector<std::string> TopLevelBoxes(const std::string& path) {
    const std::string data = Bytes(path);
    std::vector<std::string> boxes;
    for (size_t at = 0; at + 8 <= data.size();) {
        const auto b = [&](size_t i) { return uint64_t(uint8_t(data[at + i])); };
        uint64_t size = b(0) << 24 | b(1) << 16 | b(2) << 8 | b(3);
        if (size == 1 && at + 16 <= data.size()) {
            size = 0;
            for (int i = 8; i < 16; ++i) size = size << 8 | b(i);
        }
        boxes.push_back(data.substr(at + 4, 4));
        if (size < 8) break;
        at += size;
    }
    return boxes;
}

clipforge::ConvertResult Convert(const std::string& in, const std::string& out, bool overwrite = false,
                                 const std::atomic<bool>* cancel = nullptr,
                                 std::function<void(double, double)> progress = nullptr) {
    clipforge::ConvertRequest request;
    request.input = in;
    request.output = out;
    request.overwrite = overwrite;
    request.cancel = cancel;
    request.progress = std::move(progress);
    return clipforge::ConvertRecording(request);
}

TEST(ClipForgeConvert, RecordingBecomesAnMp4ThatKeepsPicturesSoundAndTime) {
    TempFolder dir;
    const std::string avi = dir.File("2026-12-09 14-30-05.avi");
    MakeRecording(avi, 75, 30, 45);  // 3 s, 0.6 s of it skipped
    const std::string mp4 = clipforge::Mp4NameFor(avi);
    EXPECT_EQ(mp4, dir.File("2026-12-09 14-30-05.mp4"));

    double lastDone = 0, total = 0;
    const clipforge::ConvertResult r = Convert(avi, mp4, false, nullptr, [&](double done, double all) {
        EXPECT_GE(done, lastDone);
        lastDone = done;
        total = all;
    });
    ASSERT_EQ(r.status, clipforge::ConvertStatus::Done) << r.message;
    EXPECT_EQ(r.pictures, 60);
    EXPECT_NEAR(total, 3.0, 0.041);
    EXPECT_NEAR(lastDone, 3.0, 0.041);
    EXPECT_FALSE(Exists(clipforge::PartialNameFor(mp4)));

    EXPECT_EQ(StreamField(mp4, "v", "codec_name,width,height"), "h264,320,240");
    EXPECT_EQ(StreamField(mp4, "a", "codec_name,sample_rate,channels"), "aac,48000,2");
    const std::vector<std::string> boxes = TopLevelBoxes(mp4);
    const auto moov = std::find(boxes.begin(), boxes.end(), "moov");
    const auto mdat = std::find(boxes.begin(), boxes.end(), "mdat");
    ASSERT_TRUE(moov != boxes.end() && mdat != boxes.end());
    EXPECT_LT(moov, mdat) << "the index is not at the front";
    EXPECT_NEAR(Duration(mp4), Duration(avi), 0.04);
    EXPECT_TRUE(DecodesCleanly(mp4));

    // The skipped positions stay time: pictures at 0..1.16 s, then from 1.8 s.
    const ToolResult times = RunTool("ffprobe -v error -select_streams v -show_entries frame=pts_time "
                                     "-of csv=p=0 " + Quote(mp4));
    std::vector<double> pts;
    std::istringstream lines(times.output);
    for (std::string line; std::getline(lines, line);)
        if (!line.empty()) pts.push_back(std::atof(line.c_str()));
    ASSERT_EQ(pts.size(), 60u);
    EXPECT_NEAR(pts[29], 1.16, 0.005);
    EXPECT_NEAR(pts[30], 1.80, 0.005);
    EXPECT_NEAR(pts.back(), 2.96, 0.005);

    // Colours where they were.
    const ToolResult picture = RunTool("ffmpeg -v error -nostdin -i " + Quote(mp4) +
                                       " -frames:v 1 -f rawvideo -pix_fmt rgb24 -");
    ASSERT_EQ(picture.output.size(), size_t(kW) * kH * 3);
    const auto pixel = [&](int x, int y, int c) { return uint8_t(picture.output[(size_t(y) * kW + x) * 3 + c]); };
    EXPECT_GT(pixel(80, 120, 0), 200);
    EXPECT_LT(pixel(80, 120, 2), 60);
    EXPECT_LT(pixel(240, 120, 0), 60);
    EXPECT_GT(pixel(240, 120, 2), 200);

    // The far end left, the microphone right, each alone on its side.
    const ToolResult sound = RunTool("ffmpeg -v error -nostdin -i " + Quote(mp4) + " -f s16le -ac 2 -ar 48000 -");
    const auto* frames = reinterpret_cast<const int16_t*>(sound.output.data());
    const size_t count = sound.output.size() / 4;
    EXPECT_NEAR(count / 48000.0, 3.0, 0.05);
    EXPECT_GT(tone::ToneShare(frames, count, 0, testrec::kFarEndHz), 0.9);
    EXPECT_LT(tone::ToneShare(frames, count, 0, testrec::kMicrophoneHz), 0.05);
    EXPECT_GT(tone::ToneShare(frames, count, 1, testrec::kMicrophoneHz), 0.9);
    EXPECT_LT(tone::ToneShare(frames, count, 1, testrec::kFarEndHz), 0.05);
}

TEST(ClipForgeConvert, NeverOverwritesUnaskedNorLeavesHalfFilesNorTouchesTheRecording) {
    TempFolder dir;
    const std::string avi = dir.File("call.avi"), mp4 = dir.File("call.mp4");
    MakeRecording(avi, 100);
    const std::string recording = Bytes(avi);

    {
        std::ofstream(mp4) << "keep me";
    }
    EXPECT_EQ(Convert(avi, mp4).status, clipforge::ConvertStatus::OutputExists);
    EXPECT_EQ(Bytes(mp4), "keep me");

    std::atomic<bool> cancel{false};
    const clipforge::ConvertResult cancelled = Convert(avi, mp4, true, &cancel, [&](double done, double) {
        if (done > 1.0) cancel = true;
    });
    EXPECT_EQ(cancelled.status, clipforge::ConvertStatus::Cancelled);
    EXPECT_EQ(Bytes(mp4), "keep me") << "a cancelled conversion replaced the MP4";
    EXPECT_FALSE(Exists(clipforge::PartialNameFor(mp4)));

    const clipforge::ConvertResult replaced = Convert(avi, mp4, true);
    EXPECT_EQ(replaced.status, clipforge::ConvertStatus::Done) << replaced.message;
    EXPECT_NEAR(Duration(mp4), 4.0, 0.04);
    EXPECT_EQ(Bytes(avi), recording) << "the recording changed";

    EXPECT_EQ(Convert(avi, avi, true).status, clipforge::ConvertStatus::WriteFailed);
    EXPECT_EQ(Bytes(avi), recording);

    const std::string noise = dir.File("noise.avi"), noiseMp4 = dir.File("noise.mp4");
    {
        std::ofstream out(noise, std::ios::binary);
        uint32_t state = 7;
        for (int i = 0; i < 200000; ++i) out.put(char((state = state * 1664525u + 1013904223u) >> 24));
    }
    EXPECT_EQ(Convert(noise, noiseMp4).status, clipforge::ConvertStatus::NotARecording);
    EXPECT_FALSE(Exists(noiseMp4));
    EXPECT_FALSE(Exists(clipforge::PartialNameFor(noiseMp4)));
}

TEST(ClipForgeConvert, CutOffRecordingConvertsUpToItsCutAndSaysSo) {
    TempFolder dir;
    const std::string whole = dir.File("whole.avi"), cut = dir.File("cut.avi"), mp4 = dir.File("cut.mp4");
    MakeRecording(whole, 100);
    const std::string bytes = Bytes(whole);
    std::ofstream(cut, std::ios::binary) << bytes.substr(0, bytes.size() * 6 / 10);

    const clipforge::ConvertResult r = Convert(cut, mp4);
    ASSERT_EQ(r.status, clipforge::ConvertStatus::Partial) << r.message;
    EXPECT_NE(r.message.find("cut off"), std::string::npos) << r.message;
    // About 60 % of the 4 s made it; the pictures and sound up to the cut are kept.
    EXPECT_GT(r.seconds, 2.0);
    EXPECT_LT(r.seconds, 2.7);
    EXPECT_NEAR(Duration(mp4), r.seconds, 0.1);
    EXPECT_TRUE(DecodesCleanly(mp4));
}

// The recording's header made to claim another picture size.
void ClaimPictureSize(const std::string& path, uint32_t width, uint32_t height) {
    std::string data = Bytes(path);
    const size_t strf = data.find("strf", data.find("vids"));
    ASSERT_NE(strf, std::string::npos);
    for (int i = 0; i < 4; ++i) {
        data[strf + 12 + i] = char(width >> (8 * i));   // BITMAPINFOHEADER biWidth
        data[strf + 16 + i] = char(height >> (8 * i));  // biHeight
    }
    std::ofstream(path, std::ios::binary | std::ios::trunc) << data;
}

TEST(ClipForgeConvert, PictureSizesItWillNotEncodeAreToldAsSuch) {
    TempFolder dir;
    const std::string avi = dir.File("huge.avi"), mp4 = dir.File("huge.mp4");
    MakeRecording(avi, 25);
    for (const auto& [width, height] : {std::pair{16000u, 16000u}, {100000u, 100000u}, {1u, 1u}}) {
        ClaimPictureSize(avi, width, height);
        const clipforge::ConvertResult r = Convert(avi, mp4);
        EXPECT_EQ(r.status, clipforge::ConvertStatus::SizeRefused) << r.message;
        EXPECT_NE(r.message.find(std::to_string(width) + " x " + std::to_string(height)), std::string::npos)
            << r.message;
        EXPECT_NE(r.message.find("up to 4096 x 4096"), std::string::npos) << r.message;
        EXPECT_FALSE(Exists(mp4));
        EXPECT_FALSE(Exists(clipforge::PartialNameFor(mp4)));
    }
}

TEST(ClipForgeConvert, SoundThatEndsEarlyGoesOnInSilenceToTheLastPicture) {
    TempFolder dir;
    const std::string avi = dir.File("short-sound.avi"), mp4 = dir.File("short-sound.mp4");
    testrec::Plan plan;
    plan.positions = 100;  // 4 s of pictures, 1 s of sound
    plan.soundPositions = 25;
    ASSERT_TRUE(testrec::WriteRecording(avi, plan));
    const clipforge::ConvertResult r = Convert(avi, mp4);
    ASSERT_EQ(r.status, clipforge::ConvertStatus::Done) << r.message;

    const ToolResult sound = RunTool("ffmpeg -v error -nostdin -i " + Quote(mp4) + " -f s16le -ac 2 -ar 48000 -");
    const auto* frames = reinterpret_cast<const int16_t*>(sound.output.data());
    const size_t count = sound.output.size() / 4;
    EXPECT_NEAR(count / 48000.0, 4.0, 0.05);
    ASSERT_GT(count, 48000u * 3);
    EXPECT_GT(tone::ToneShare(frames, 48000, 0, testrec::kFarEndHz), 0.9);
    // Past the sound's end (and the encoder's overlap with it), silence.
    int loudest = 0;
    for (size_t i = 48000 * 11 / 10 * 2; i < count * 2; ++i) loudest = std::max(loudest, std::abs(int(frames[i])));
    EXPECT_LT(loudest, 16);
}

}  // namespace

// A call's MP4 is small enough to send and still reads clearly: the sizes
// x264 reaches only when it chooses its own picture types and timing.
TEST(ClipForgeConvert, CallRecordingShrinksToAFifthAndStaysSharp) {
    TempFolder dir;
    const std::string avi = dir.File("call.avi"), mp4 = dir.File("call.mp4");
    testrec::Plan plan;
    plan.width = 640;
    plan.height = 360;
    plan.positions = 250;
    plan.callLike = true;
    ASSERT_TRUE(testrec::WriteRecording(avi, plan));

    const clipforge::ConvertResult r = Convert(avi, mp4);
    ASSERT_EQ(r.status, clipforge::ConvertStatus::Done) << r.message;
    const double share = double(Bytes(mp4).size()) / double(Bytes(avi).size());
    const ToolResult psnr = RunTool("ffmpeg -nostdin -hide_banner -i " + Quote(mp4) + " -i " + Quote(avi) +
                                    " -lavfi \"[0:v][1:v]psnr\" -f null -");
    const size_t at = psnr.output.rfind("average:");
    ASSERT_NE(at, std::string::npos) << psnr.output;
    const double decibels = std::atof(psnr.output.c_str() + at + 8);
    std::printf("MP4: %.1f %% of the AVI, PSNR %.1f dB\n", 100 * share, decibels);
    EXPECT_LE(share, 0.20);
    EXPECT_GE(decibels, 38.0);
    // x264's own choice: a key picture every 5 s, B pictures between.
    const std::string types = RunTool("ffprobe -v error -select_streams v -show_entries frame=pict_type "
                                      "-of csv=p=0 " + Quote(mp4)).output;
    EXPECT_EQ(std::count(types.begin(), types.end(), 'I'), 2) << types;
    EXPECT_GT(std::count(types.begin(), types.end(), 'B'), 50) << types;
}
