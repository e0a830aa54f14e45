// Frames and files for the AVI writer and encoder tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/AviWriter.h"
#include "engine/Mp43Encoder.h"
#include "engine/RecordParams.h"

// A folder of its own for each test, removed afterwards.
class TempFolder {
public:
    TempFolder() {
        char name[] = "/tmp/lumiskop-test.XXXXXX";
        path = mkdtemp(name);
    }
    ~TempFolder() {
        const std::string command = "rm -rf '" + path + "'";
        if (std::system(command.c_str()) != 0) ADD_FAILURE() << "could not remove " << path;
    }
    std::string File(const std::string& name) const { return path + "/" + name; }
    std::string path;
};

// A bottom-up 24-bit picture: a busy pattern that changes with `frame`.
inline std::vector<uint8_t> BusyPicture(int width, int height, int frame) {
    std::vector<uint8_t> dib(static_cast<size_t>(width) * 3 * height);
    uint32_t state = 12345u + static_cast<uint32_t>(frame) * 7919u;
    for (size_t i = 0; i < dib.size(); ++i) {
        state = state * 1664525u + 1013904223u;
        dib[i] = static_cast<uint8_t>((state >> 24) / 2 + (i % 97) + frame * 3);
    }
    return dib;
}

inline AviVideoFormat Mp43Format(int width, int height) {
    AviVideoFormat video;
    video.width = width;
    video.height = height;
    video.fourcc = MakeFourcc('M', 'P', '4', '3');
    video.imageSize = static_cast<uint32_t>(width * 3 * height);
    return video;
}

// Encodes `count` busy pictures.
inline std::vector<std::vector<uint8_t>> EncodedFrames(int width, int height, int count,
                                                       std::vector<bool>* keys = nullptr) {
    CMp43Encoder encoder;
    std::vector<std::vector<uint8_t>> frames;
    if (!encoder.Open(width, height, 25, 25, 10000)) return frames;
    for (int i = 0; i < count; ++i) {
        const std::vector<uint8_t> dib = BusyPicture(width, height, i);
        EncodedFrame e;
        if (!encoder.Encode(dib.data(), width * 3, e)) break;
        frames.emplace_back(e.data, e.data + e.size);
        if (keys) keys->push_back(e.keyFrame);
    }
    return frames;
}
