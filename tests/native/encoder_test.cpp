// The MP43 encoder: decoded back with libavcodec's own decoder.
#include <gtest/gtest.h>

#include <cstring>

extern "C" {
#include <libavcodec/avcodec.h>
}

#include "engine/Mp43Encoder.h"
#include "tests/native/avi_test_support.h"

namespace {

// Decodes one MP43 frame; returns the average Y, U and V of a 16x16 block
// at (x, y) in picture order (top row first).
struct Yuv {
    int y, u, v;
};

class Decoder {
public:
    Decoder(int width, int height) {
        const AVCodec* codec = avcodec_find_decoder(AV_CODEC_ID_MSMPEG4V3);
        ctx = avcodec_alloc_context3(codec);
        ctx->width = width;
        ctx->height = height;
        ok = avcodec_open2(ctx, codec, nullptr) == 0;
        frame = av_frame_alloc();
        packet = av_packet_alloc();
    }
    ~Decoder() {
        av_packet_free(&packet);
        av_frame_free(&frame);
        avcodec_free_context(&ctx);
    }
    bool Decode(const EncodedFrame& e) {
        av_packet_unref(packet);
        if (av_new_packet(packet, static_cast<int>(e.size)) < 0) return false;
        std::memcpy(packet->data, e.data, e.size);
        return avcodec_send_packet(ctx, packet) == 0 && avcodec_receive_frame(ctx, frame) == 0;
    }
    Yuv Block(int x, int y) const {
        long sy = 0, su = 0, sv = 0;
        for (int j = 0; j < 16; ++j)
            for (int i = 0; i < 16; ++i) {
                sy += frame->data[0][(y + j) * frame->linesize[0] + x + i];
                su += frame->data[1][(y + j) / 2 * frame->linesize[1] + (x + i) / 2];
                sv += frame->data[2][(y + j) / 2 * frame->linesize[2] + (x + i) / 2];
            }
        return {static_cast<int>(sy / 256), static_cast<int>(su / 256), static_cast<int>(sv / 256)};
    }

    AVCodecContext* ctx = nullptr;
    AVFrame* frame = nullptr;
    AVPacket* packet = nullptr;
    bool ok = false;
};

// A bottom-up bitmap whose top half (as seen) is red and bottom half blue.
std::vector<uint8_t> RedOverBlue(int width, int height) {
    std::vector<uint8_t> dib(static_cast<size_t>(width) * 3 * height);
    for (int row = 0; row < height; ++row) {  // row 0 is the bottom one
        const bool top = row >= height / 2;
        for (int x = 0; x < width; ++x) {
            uint8_t* p = &dib[(static_cast<size_t>(row) * width + x) * 3];
            p[0] = top ? 0 : 255;  // blue
            p[1] = 0;
            p[2] = top ? 255 : 0;  // red
        }
    }
    return dib;
}

TEST(Mp43Encoder, BottomUpBitmapsComeOutTheRightWayUp) {
    CMp43Encoder encoder;
    ASSERT_TRUE(encoder.Open(320, 240, 25, 25, 10000));
    EXPECT_TRUE(encoder.CodecPrivate().empty());
    const std::vector<uint8_t> dib = RedOverBlue(320, 240);
    EncodedFrame e;
    ASSERT_TRUE(encoder.Encode(dib.data(), 320 * 3, e));
    EXPECT_TRUE(e.keyFrame);
    Decoder d(320, 240);
    ASSERT_TRUE(d.ok);
    ASSERT_TRUE(d.Decode(e));
    const Yuv top = d.Block(100, 40), bottom = d.Block(100, 180);
    // Red: high V, low U. Blue: high U, low V (limited-range BT.601).
    EXPECT_NEAR(top.y, 81, 6);
    EXPECT_NEAR(top.v, 240, 6);
    EXPECT_NEAR(bottom.y, 41, 6);
    EXPECT_NEAR(bottom.u, 240, 6);
}

TEST(Mp43Encoder, KeyFramesComeEveryKeyFrameInterval) {
    // A calm picture: key frames exactly every 25 frames.
    CMp43Encoder encoder;
    ASSERT_TRUE(encoder.Open(160, 120, 25, 25, 10000));
    std::vector<uint8_t> dib = RedOverBlue(160, 120);
    for (int i = 0; i < 60; ++i) {
        dib[(60 * 160 + i) * 3] ^= 0xFF;  // a small change each frame
        EncodedFrame e;
        ASSERT_TRUE(encoder.Encode(dib.data(), 160 * 3, e));
        EXPECT_EQ(e.keyFrame, i % 25 == 0) << "frame " << i;
    }

    // A picture that changes wholesale may get more; never fewer.
    std::vector<bool> keys;
    EncodedFrames(160, 120, 60, &keys);
    ASSERT_EQ(keys.size(), 60u);
    int sinceKey = 0;
    for (size_t i = 0; i < keys.size(); ++i) {
        sinceKey = keys[i] ? 0 : sinceKey + 1;
        EXPECT_LT(sinceKey, 25) << "frame " << i;
    }
}

TEST(Mp43Encoder, QualityScaleMapsOntoTheQuantiser) {
    EXPECT_EQ(CMp43Encoder::QuantizerFor(10000), 2);
    EXPECT_EQ(CMp43Encoder::QuantizerFor(0), 31);
    EXPECT_EQ(CMp43Encoder::QuantizerFor(20000), 2);
    EXPECT_EQ(CMp43Encoder::QuantizerFor(-5), 31);
    for (int q = 0; q < 10000; q += 250)
        EXPECT_GE(CMp43Encoder::QuantizerFor(q), CMp43Encoder::QuantizerFor(q + 250));

    // A better quality setting spends more bytes on the same picture.
    const std::vector<uint8_t> dib = BusyPicture(160, 120, 0);
    uint32_t sizes[2] = {};
    const int qualities[2] = {10000, 2000};
    for (int i = 0; i < 2; ++i) {
        CMp43Encoder encoder;
        ASSERT_TRUE(encoder.Open(160, 120, 25, 25, qualities[i]));
        EncodedFrame e;
        ASSERT_TRUE(encoder.Encode(dib.data(), 160 * 3, e));
        sizes[i] = e.size;
    }
    EXPECT_GT(sizes[0], sizes[1] * 2);
}

TEST(Mp43Encoder, RefusesAnEmptyPicture) {
    CMp43Encoder encoder;
    EXPECT_FALSE(encoder.Open(0, 240, 25, 25, 10000));
    EXPECT_FALSE(encoder.Open(320, -4, 25, 25, 10000));
    EncodedFrame e;
    const std::vector<uint8_t> dib(16);
    EXPECT_FALSE(encoder.Encode(dib.data(), 12, e));
}

}  // namespace
