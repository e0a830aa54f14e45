// CMediaDecoder on recordings of our own (both builds: natively with the
// sanitizers against Debian's FFmpeg, under Wine against the cross-build).
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <random>

#include "playback/MediaDecoder.h"
#include "tests/playback/decoder_files.h"
#include "tests/support/tone.h"

namespace {

constexpr Rgb kRed{220, 30, 30};
constexpr Rgb kBlue{30, 40, 210};
constexpr Rgb kGreen{40, 200, 60};

void ExpectColour(const VideoFrameBuffer& frame, Rgb colour, const char* what) {
    const YuvMean got = MeanOf(frame), want = YuvOf(colour);
    EXPECT_NEAR(got.y, want.y, 6) << what;
    EXPECT_NEAR(got.u, want.u, 6) << what;
    EXPECT_NEAR(got.v, want.v, 6) << what;
}

// Every block of sound to the end, checking that none exceeds the block.
std::vector<int16_t> DecodeAllSound(CMediaDecoder& decoder, std::vector<double>* times = nullptr) {
    AudioBlockPtr block(decoder.AllocAudioBlock());
    std::vector<int16_t> all;
    while (block && decoder.DecodeAudio(block.get()) == 1) {
        EXPECT_GT(block->sampleCount, 0);
        EXPECT_LE(block->sampleCount, block->capacity);
        all.insert(all.end(), block->samples.get(), block->samples.get() + block->sampleCount);
        if (times) times->push_back(block->timestamp);
    }
    return all;
}

std::vector<int16_t> Channel(const std::vector<int16_t>& s, int channels, int channel) {
    std::vector<int16_t> out;
    for (size_t i = channel; i < s.size(); i += channels) out.push_back(s[i]);
    return out;
}

// tone::ToneShare reads stereo; one channel is given to it on both sides.
double ShareOf(const std::vector<int16_t>& s, int channels, int channel, double hz) {
    std::vector<int16_t> stereo;
    for (int16_t x : Channel(s, channels, channel)) stereo.insert(stereo.end(), {x, x});
    return tone::ToneShare(stereo.data(), stereo.size() / 2, 0, hz);
}

}  // namespace

TEST(MediaDecoder, ARecordingOfKnownColoursAndTonesDecodesToThemInTime) {
    DecoderTempDir dir;
    const std::string path = dir.File("colours.avi");
    RecordingPlan plan;
    plan.colours = {kRed, kBlue};
    plan.toneHz = {440, 1000};
    plan.audioSeconds = 2.0;
    ASSERT_TRUE(WriteRecording(path, plan));

    CMediaDecoder decoder;
    decoder.Init();
    ASSERT_EQ(decoder.Open(path.c_str()), 1);
    MediaInfo info;
    ASSERT_EQ(decoder.GetInfo(&info), 1);
    EXPECT_EQ(info.hasVideo, 1);
    EXPECT_EQ(info.hasAudio, 1);
    EXPECT_EQ(info.width, 64);
    EXPECT_EQ(info.height, 48);
    EXPECT_NEAR(info.frameRate, 25.0, 1e-9);
    EXPECT_NEAR(info.duration, 2.0, 0.05);
    EXPECT_EQ(info.sampleRate, 48000);
    EXPECT_EQ(info.channels, 2);

    VideoFramePtr frame(decoder.AllocVideoFrame());
    ASSERT_TRUE(frame);
    // A buffer of another size is refused without using up a packet.
    VideoFrameBuffer other;
    other.width = 66;
    other.height = 48;
    other.bytes.reset(new uint8_t[PictureBufferBytes(66, 48)]);
    EXPECT_EQ(decoder.DecodeVideoFrame(&other), -1);

    int pictures = 0;
    while (decoder.VideoAtEnd() == 0) {
        if (decoder.DecodeVideoFrame(frame.get()) != 1) continue;
        EXPECT_NEAR(frame->timestamp, pictures * 0.04, 1e-6);
        ExpectColour(*frame, pictures < 25 ? kRed : kBlue, "picture");
        ++pictures;
    }
    EXPECT_EQ(pictures, 50);

    std::vector<double> times;
    const std::vector<int16_t> sound = DecodeAllSound(decoder, &times);
    ASSERT_FALSE(times.empty());
    EXPECT_DOUBLE_EQ(times[0], 0.0);
    EXPECT_EQ(sound.size(), 2u * 96000u);
    EXPECT_GT(ShareOf(sound, 2, 0, 440), 0.95);
    EXPECT_GT(ShareOf(sound, 2, 1, 1000), 0.95);
    EXPECT_EQ(decoder.AudioAtEnd(), 1);

    // A seek past any time the file can hold is refused, not turned into an
    // undefined integer; the decoder still seeks sensibly afterwards.
    EXPECT_EQ(decoder.Seek(1e300), -1);
    EXPECT_EQ(decoder.Seek(-1e300), -1);
    EXPECT_EQ(decoder.Seek(std::nan("")), -1);
    ASSERT_EQ(decoder.Seek(0.0), 1);
    // (The end flags stay set after a seek, as specified: decode regardless.)
    int calls = 0;
    while (decoder.DecodeVideoFrame(frame.get()) != 1 && ++calls < 50) {}
    EXPECT_NEAR(frame->timestamp, 0.0, 1e-6);
    ExpectColour(*frame, kRed, "picture after seeking to the start");

    EXPECT_EQ(decoder.Close(), 1);
    EXPECT_EQ(decoder.Close(), 1);
    EXPECT_EQ(decoder.VideoAtEnd(), 0);
    EXPECT_EQ(decoder.GetInfo(&info), -1);
}

TEST(MediaDecoder, OddAndOversizedPicturesNeverOverrunTheirBuffer) {
    // The previews copy width × height × 3 / 2 bytes, more than the planes of
    // an odd size; too large a picture gets no buffer at all.
    EXPECT_GE(PictureBufferBytes(33, 17), 33 * 17 * 3 / 2);
    EXPECT_EQ(PictureBufferBytes(1920, 1080), 1920 * 1080 * 3 / 2);
    EXPECT_EQ(PictureBufferBytes(2048, 1366), 0);
    EXPECT_EQ(PictureBufferBytes(65536, 65536), 0);
    EXPECT_EQ(PictureBufferBytes(0x40000000, 8), 0);

    DecoderTempDir dir;
    const std::string path = dir.File("odd.avi");
    RecordingPlan plan;
    plan.width = 33;
    plan.height = 17;
    plan.mp43 = false;  // uncompressed: any size goes
    plan.colours = {kGreen};
    ASSERT_TRUE(WriteRecording(path, plan));

    CMediaDecoder decoder;
    decoder.Init();
    ASSERT_EQ(decoder.Open(path.c_str()), 1);
    const size_t size = static_cast<size_t>(PictureBufferBytes(33, 17));
    constexpr size_t kGuard = 256;
    VideoFrameBuffer frame;
    frame.width = 33;
    frame.height = 17;
    frame.bytes.reset(new uint8_t[size + kGuard]);
    std::memset(frame.bytes.get(), 0xA5, size + kGuard);
    int pictures = 0;
    while (decoder.VideoAtEnd() == 0)
        if (decoder.DecodeVideoFrame(&frame) == 1) ++pictures;
    EXPECT_EQ(pictures, 25);
    ExpectColour(frame, kGreen, "odd-sized picture");
    for (size_t i = size; i < size + kGuard; ++i) ASSERT_EQ(frame.bytes[i], 0xA5) << "byte " << i;
}

TEST(MediaDecoder, EightChannelSoundComesOutWholeAsStereoWithinTheBlock) {
    DecoderTempDir dir;
    const std::string path = dir.File("eight.avi");
    RecordingPlan plan;
    plan.colours = {kRed};
    plan.channels = 8;
    plan.toneHz = {440, 1000};  // front left, front right; the rest silent
    plan.audioSeconds = 3.0;
    plan.audioChunks = 1;  // 2.3 MB of sound in one chunk
    ASSERT_TRUE(WriteRecording(path, plan));

    CMediaDecoder decoder;
    decoder.Init();
    ASSERT_EQ(decoder.Open(path.c_str()), 1);
    MediaInfo info;
    ASSERT_EQ(decoder.GetInfo(&info), 1);
    EXPECT_EQ(info.channels, 2);

    const GuardedSound sound = DecodeGuarded(decoder, 2, 48000);
    EXPECT_TRUE(sound.guardIntact);
    EXPECT_TRUE(sound.continuous);
    EXPECT_EQ(sound.samples.size(), 2u * 144000u);  // three seconds, nothing dropped
    EXPECT_GT(ShareOf(sound.samples, 2, 0, 440), 0.9);
    EXPECT_GT(ShareOf(sound.samples, 2, 1, 1000), 0.9);
}

TEST(MediaDecoder, DamagedFilesFailCleanly) {
    DecoderTempDir dir;
    const std::string whole = dir.File("whole.avi"), cut = dir.File("cut.avi"),
                      noise = dir.File("noise.avi");
    RecordingPlan plan;
    plan.colours = {kRed, kBlue};
    plan.toneHz = {440, 1000};
    plan.audioSeconds = 2.0;
    ASSERT_TRUE(WriteRecording(whole, plan));
    std::ifstream in(whole, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::ofstream(cut, std::ios::binary).write(bytes.data(), bytes.size() * 6 / 10);
    std::mt19937 random(7);
    for (char& c : bytes) c = static_cast<char>(random());
    std::ofstream(noise, std::ios::binary).write(bytes.data(), bytes.size());

    CMediaDecoder decoder;
    decoder.Init();
    // Cut off: what is there decodes, then both sides end.
    ASSERT_EQ(decoder.Open(cut.c_str()), 1);
    VideoFramePtr frame(decoder.AllocVideoFrame());
    ASSERT_TRUE(frame);
    int pictures = 0;
    for (int calls = 0; decoder.VideoAtEnd() == 0 && calls < 1000; ++calls)
        if (decoder.DecodeVideoFrame(frame.get()) == 1) ++pictures;
    EXPECT_GT(pictures, 10);
    EXPECT_LT(pictures, 50);
    EXPECT_FALSE(DecodeAllSound(decoder).empty());

    // Noise, a missing file and no path do not open; nothing works on them.
    EXPECT_EQ(decoder.Open(noise.c_str()), -1);
    EXPECT_EQ(decoder.Open(dir.File("missing.avi").c_str()), -1);
    EXPECT_EQ(decoder.Open(nullptr), -1);
    MediaInfo info;
    EXPECT_EQ(decoder.GetInfo(&info), -1);
    EXPECT_EQ(decoder.Seek(0.5), -1);
    EXPECT_EQ(decoder.AllocVideoFrame(), nullptr);
    EXPECT_EQ(decoder.DecodeVideoFrame(frame.get()), -1);
    AudioBlockPtr block(decoder.AllocAudioBlock());
    EXPECT_EQ(decoder.DecodeAudio(block.get()), -1);
    EXPECT_EQ(decoder.VideoAtEnd(), 0);
    EXPECT_EQ(decoder.AudioAtEnd(), 0);
    EXPECT_EQ(decoder.Close(), 1);
}
