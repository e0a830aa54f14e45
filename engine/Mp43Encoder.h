// The "MP43" video compressor: libavcodec's MS-MPEG-4 v3 encoder fed with the
// grabber's 24-bit bottom-up bitmaps as they are.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

struct EncodedFrame {
    const uint8_t* data = nullptr;  // valid until the next Encode
    uint32_t size = 0;
    bool keyFrame = false;
};

class CMp43Encoder {
public:
    CMp43Encoder();
    ~CMp43Encoder();
    CMp43Encoder(const CMp43Encoder&) = delete;
    CMp43Encoder& operator=(const CMp43Encoder&) = delete;

    // quality on the 0-10000 scale of the compressor interface; 10000 is the
    // encoder's best.
    bool Open(int width, int height, int frameRate, int keyFrameEvery, int quality);
    bool IsOpen() const;
    // `bits`: `height` rows of `stride` bytes, bottom row first, blue-green-red.
    bool Encode(const uint8_t* bits, int stride, EncodedFrame& out);
    // Bytes that follow the bitmap header in the stream format (none for MP43).
    std::vector<uint8_t> CodecPrivate() const;
    void Close();

    // The encoder's fixed quantiser for a 0-10000 quality.
    static int QuantizerFor(int quality);

private:
    struct Impl;
    std::unique_ptr<Impl> m;
};
