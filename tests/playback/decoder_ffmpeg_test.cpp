// CMediaDecoder on files made by the host's ffmpeg, which no one here wrote:
// seeking in a long file, sound without pictures, multi-channel and mono
// sound, frames longer than a block, a decoder that holds pictures back;
// and decode_probe, the decoder seen from outside. Native build only.
#include <gtest/gtest.h>

#include <cstdio>

#include "playback/MediaDecoder.h"
#include "tests/native/host_tools.h"
#include "tests/playback/decoder_files.h"
#include "tests/support/tone.h"

namespace {

void MakeWithFfmpeg(const std::string& arguments, const std::string& path) {
    const ToolResult r = RunTool("ffmpeg -v error -nostdin -y " + arguments + " '" + path + "'");
    ASSERT_EQ(r.exitCode, 0) << r.output;
}

// First picture and first block after a seek.
struct Landing {
    double video = -1.0, audio = -1.0;
};
Landing FirstTimes(CMediaDecoder& decoder) {
    Landing at;
    VideoFramePtr frame(decoder.AllocVideoFrame());
    for (int i = 0; frame && i < 100 && at.video < 0; ++i)
        if (decoder.DecodeVideoFrame(frame.get()) == 1) at.video = frame->timestamp;
    AudioBlockPtr block(decoder.AllocAudioBlock());
    if (block && decoder.DecodeAudio(block.get()) == 1) at.audio = block->timestamp;
    return at;
}

}  // namespace

TEST(MediaDecoderFfmpegFiles, SeekingHalfWayIntoAMinuteLandsNearThirtySecondsOnBothSides) {
    DecoderTempDir dir;
    const std::string path = dir.File("minute.avi");
    // A key frame every second.
    MakeWithFfmpeg("-f lavfi -i testsrc=size=160x120:rate=25 -f lavfi -i sine=f=440:sample_rate=48000 "
                   "-t 60 -c:v msmpeg4v3 -g 25 -q:v 10 -c:a pcm_s16le",
                   path);
    CMediaDecoder decoder;
    decoder.Init();
    EXPECT_EQ(decoder.Seek(0.5), -1);  // nothing open
    ASSERT_EQ(decoder.Open(path.c_str()), 1);
    MediaInfo info;
    ASSERT_EQ(decoder.GetInfo(&info), 1);
    EXPECT_NEAR(info.duration, 60.0, 0.1);
    ASSERT_EQ(decoder.Seek(0.5), 1);
    Landing at = FirstTimes(decoder);
    EXPECT_NEAR(at.video, 30.0, 1.0);
    EXPECT_NEAR(at.audio, 30.0, 1.0);
    // Back to the start: the decoders forgot what they held.
    ASSERT_EQ(decoder.Seek(0.0), 1);
    at = FirstTimes(decoder);
    EXPECT_NEAR(at.video, 0.0, 1e-6);
    EXPECT_NEAR(at.audio, 0.0, 0.05);

    // decode_probe sees the same: the second half, 750 pictures give or take
    // a key-frame interval, and 30 s of (mono) sound.
    const ToolResult probe = RunTool(std::string(DECODE_PROBE) + " --seek 0.5 '" + path + "'");
    ASSERT_EQ(probe.exitCode, 0) << probe.output;
    int hasVideo = 0, hasAudio = 0, width = 0, height = 0, rate = 0, channels = 0;
    double duration = 0, fps = 0, firstVideo = 0, firstAudio = 0;
    long pictures = 0;
    long long samples = 0;
    ASSERT_EQ(std::sscanf(probe.output.c_str(), "info %d %d %d %d %lf %lf %d %d\ndecoded %ld %lld %lf %lf",
                          &hasVideo, &hasAudio, &width, &height, &duration, &fps, &rate, &channels,
                          &pictures, &samples, &firstVideo, &firstAudio),
              12)
        << probe.output;
    EXPECT_EQ(probe.output.rfind("info 1 1 160 120 60.000 25.000 48000 1\n", 0), 0u) << probe.output;
    EXPECT_NEAR(pictures, 750, 25);
    EXPECT_NEAR(static_cast<double>(samples), 30.0 * 48000, 48000);  // mono
    EXPECT_NEAR(firstVideo, 30.0, 1.0);
    EXPECT_NEAR(firstAudio, 30.0, 1.0);
    const ToolResult missing = RunTool(std::string(DECODE_PROBE) + " '" + dir.File("none.avi") + "'");
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.output.rfind("error ", 0), 0u) << missing.output;
}

TEST(MediaDecoderFfmpegFiles, SoundOnlyFilesKeepMonoAndFoldManyChannelsIntoStereo) {
    DecoderTempDir dir;
    const std::string six = dir.File("six.wav"), mono = dir.File("mono.wav");
    // Front left 440 Hz, front right 1000 Hz, the other four channels silent.
    MakeWithFfmpeg("-f lavfi -i sine=f=440:sample_rate=48000 -f lavfi -i sine=f=1000:sample_rate=48000 "
                   "-filter_complex \"[0][1]amerge,pan=5.1|c0=c0|c1=c1\" -t 2 -c:a pcm_s16le",
                   six);
    MakeWithFfmpeg("-f lavfi -i sine=f=700:sample_rate=22050 -t 1 -c:a pcm_u8", mono);

    CMediaDecoder decoder;
    decoder.Init();
    ASSERT_EQ(decoder.Open(six.c_str()), 1);
    MediaInfo info;
    ASSERT_EQ(decoder.GetInfo(&info), 1);
    EXPECT_EQ(info.hasVideo, 0);
    EXPECT_EQ(info.hasAudio, 1);
    EXPECT_EQ(info.channels, 2);
    EXPECT_NEAR(info.duration, 2.0, 0.01);
    EXPECT_EQ(decoder.AllocVideoFrame(), nullptr);
    EXPECT_EQ(decoder.VideoAtEnd(), 0);
    GuardedSound sound = DecodeGuarded(decoder, 2, 48000);
    EXPECT_TRUE(sound.continuous);
    ASSERT_EQ(sound.samples.size(), 2u * 96000u);
    EXPECT_GT(tone::ToneShare(sound.samples.data(), 96000, 0, 440), 0.95);
    EXPECT_GT(tone::ToneShare(sound.samples.data(), 96000, 1, 1000), 0.95);
    EXPECT_EQ(decoder.AudioAtEnd(), 1);
    EXPECT_EQ(decoder.VideoAtEnd(), 0);

    ASSERT_EQ(decoder.Open(mono.c_str()), 1);
    ASSERT_EQ(decoder.GetInfo(&info), 1);
    EXPECT_EQ(info.channels, 1);
    EXPECT_EQ(info.sampleRate, 22050);
    sound = DecodeGuarded(decoder, 1, 22050);
    EXPECT_EQ(sound.samples.size(), 22050u);
    EXPECT_EQ(decoder.Close(), 1);
    EXPECT_EQ(decoder.AudioAtEnd(), 0);  // released
}

TEST(MediaDecoderFfmpegFiles, SoundFramesLongerThanABlockComeOutWholeOverSeveralCalls) {
    DecoderTempDir dir;
    const std::string path = dir.File("long-frames.nut");
    // 8 channels in frames of 150000 samples: 300000 stereo samples each.
    MakeWithFfmpeg("-f lavfi -i sine=f=440:sample_rate=48000 -filter_complex "
                   "\"pan=7.1|c0=c0|c1=c0,asetnsamples=n=150000\" -t 6.25 -c:a pcm_s16le",
                   path);
    CMediaDecoder decoder;
    decoder.Init();
    ASSERT_EQ(decoder.Open(path.c_str()), 1);
    const GuardedSound sound = DecodeGuarded(decoder, 2, 48000);
    EXPECT_TRUE(sound.guardIntact);
    EXPECT_TRUE(sound.continuous);
    EXPECT_EQ(sound.largestBlock, kAudioBlockSamples);
    EXPECT_EQ(sound.samples.size(), 2u * 300000u);
    EXPECT_GT(tone::ToneShare(sound.samples.data(), 300000, 1, 440), 0.95);
}

TEST(MediaDecoderFfmpegFiles, PicturesHeldBackByTheDecoderComeOutAtTheEnd) {
    DecoderTempDir dir;
    const std::string path = dir.File("bframes.avi");
    MakeWithFfmpeg("-f lavfi -i testsrc=size=96x64:rate=25 -t 2 -c:v mpeg4 -bf 2", path);
    CMediaDecoder decoder;
    decoder.Init();
    ASSERT_EQ(decoder.Open(path.c_str()), 1);
    VideoFramePtr frame(decoder.AllocVideoFrame());
    ASSERT_TRUE(frame);
    int pictures = 0;
    double last = -1.0;
    for (int calls = 0; calls < 200; ++calls) {
        if (decoder.DecodeVideoFrame(frame.get()) == 1) {
            ++pictures;
            last = frame->timestamp;
        } else if (decoder.VideoAtEnd()) {
            break;
        }
    }
    EXPECT_EQ(pictures, 50);
    EXPECT_NEAR(last, 1.96, 0.045);
}
