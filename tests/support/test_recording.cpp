#include "tests/support/test_recording.h"

#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

#include "bench/CallPicture.h"
#include "engine/AviWriter.h"
#include "engine/Mp43Encoder.h"
#include "engine/RecordParams.h"

namespace testrec {

namespace {

void Paint(std::vector<uint8_t>& dib, const Plan& plan, int position) {
    if (plan.callLike) {
        PaintCallPicture(dib, plan.width, plan.height, position);
        return;
    }
    uint32_t state = 12345u + uint32_t(position) * 7919u;
    for (int y = 0; y < plan.height; ++y)
        for (int x = 0; x < plan.width; ++x) {
            uint8_t* p = &dib[(size_t(y) * plan.width + x) * 3];  // blue-green-red
            if (plan.busy) {
                state = state * 1664525u + 1013904223u;
                p[0] = p[1] = p[2] = uint8_t(state >> 24);
                continue;
            }
            const bool swapped = plan.swapEverySecond && (position / 25) % 2 == 1;
            const bool left = (x < plan.width / 2) != swapped;
            p[0] = left ? 0 : 255;
            p[1] = 0;
            p[2] = left ? 255 : 0;
        }
}

}  // namespace

bool WriteRecording(const std::string& path, const Plan& plan) {
    AviVideoFormat video;
    video.width = plan.width;
    video.height = plan.height;
    video.fourcc = MakeFourcc('M', 'P', '4', '3');
    video.imageSize = uint32_t(plan.width * 3 * plan.height);
    CMp43Encoder encoder;
    CAviWriter writer;
    if (!encoder.Open(plan.width, plan.height, 25, 25, 10000) || !writer.Open(path, video, AviAudioFormat{}))
        return false;
    std::vector<uint8_t> dib(size_t(plan.width) * 3 * plan.height);
    std::vector<int16_t> sound(1920 * 2);
    for (int pos = 0; pos < plan.positions; ++pos) {
        if (pos < plan.skipFrom || pos >= plan.skipTo) {
            if (pos == 0 || plan.busy || plan.callLike ||
                (plan.swapEverySecond && pos % 25 == 0))
                Paint(dib, plan, pos);
            EncodedFrame e;
            if (!encoder.Encode(dib.data(), plan.width * 3, e) ||
                !writer.WriteVideo(uint32_t(pos), e.data, e.size, e.keyFrame))
                return false;
        }
        if (plan.soundPositions >= 0 && pos >= plan.soundPositions) continue;
        for (int i = 0; i < 1920; ++i) {
            const double t = (pos * 1920 + i) / 48000.0;
            sound[i * 2] = int16_t(9000 * std::sin(2 * std::numbers::pi * kFarEndHz * t));
            sound[i * 2 + 1] = int16_t(9000 * std::sin(2 * std::numbers::pi * kMicrophoneHz * t));
        }
        if (!writer.WriteAudio(sound.data(), uint32_t(sound.size() * 2))) return false;
    }
    return writer.Close();
}

}  // namespace testrec
