// Recordings for the decoder tests, written by the project's own AVI writer
// and MP43 encoder, so the same files can be made in both builds.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "playback/MediaBuffers.h"

// A folder of its own for each test, removed afterwards.
class DecoderTempDir {
public:
    DecoderTempDir();
    ~DecoderTempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    std::string File(const std::string& name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

struct Rgb {
    uint8_t r, g, b;
};

struct RecordingPlan {
    int width = 64;
    int height = 48;
    bool mp43 = true;              // false: uncompressed 24-bit pictures
    std::vector<Rgb> colours;      // one per second of pictures, 25 pictures a second
    int picturesPerColour = 25;
    bool smallHeader = false;      // room for one OpenDML index entry only
    int channels = 2;              // 16-bit PCM at 48 kHz
    std::vector<double> toneHz;    // one per channel
    double audioSeconds = 0.0;
    int audioChunks = 0;           // 0: one chunk per picture; else this many chunks in all
};

// Writes the recording; false when the writer or encoder failed.
bool WriteRecording(const std::string& path, const RecordingPlan& plan);

// Average Y, U and V of a whole planar YUV 4:2:0 picture.
struct YuvMean {
    double y, u, v;
};
YuvMean MeanOf(const VideoFrameBuffer& frame);
// What the same colour gives through the BT.601 studio-range matrix.
YuvMean YuvOf(Rgb colour);

class CMediaDecoder;

// All of a decoder's sound, decoded into a block with a guard after its
// 384000 bytes.
struct GuardedSound {
    std::vector<int16_t> samples;
    int channels = 0;
    int largestBlock = 0;       // samples
    bool guardIntact = true;
    bool continuous = true;     // each block starts where the one before ended
};
GuardedSound DecodeGuarded(CMediaDecoder& decoder, int channels, int sampleRate);
