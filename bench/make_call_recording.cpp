// Writes a call recording as the recorder does (MP43 at quality 10000, 25 fps,
// 48 kHz stereo PCM: a far-end tone left, a microphone tone right) for the
// converter benchmarks; with SOUND_SECONDS the sound ends that early.
//   make_call_recording OUT.avi SECONDS WIDTH HEIGHT [SOUND_SECONDS]
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench/CallPicture.h"
#include "engine/AviWriter.h"
#include "engine/Mp43Encoder.h"
#include "engine/RecordParams.h"

int main(int argc, char** argv) {
    if (argc != 5 && argc != 6) {
        std::fprintf(stderr, "usage: make_call_recording OUT.avi SECONDS WIDTH HEIGHT [SOUND_SECONDS]\n");
        return 2;
    }
    const int seconds = std::atoi(argv[2]), w = std::atoi(argv[3]), h = std::atoi(argv[4]);
    const int soundSeconds = argc == 6 ? std::atoi(argv[5]) : seconds;
    const int stride = (w * 3 + 3) & ~3;
    AviVideoFormat video;
    video.width = w;
    video.height = h;
    video.fourcc = MakeFourcc('M', 'P', '4', '3');
    video.imageSize = static_cast<uint32_t>(stride * h);
    CMp43Encoder encoder;
    CAviWriter writer;
    if (!encoder.Open(w, h, 25, 25, 10000) || !writer.Open(argv[1], video, AviAudioFormat{})) return 1;
    std::vector<uint8_t> dib(static_cast<size_t>(stride) * h);
    std::vector<int16_t> sound(1920 * 2);
    for (int pos = 0; pos < seconds * 25; ++pos) {
        PaintCallPicture(dib, w, h, pos);
        EncodedFrame e;
        if (!encoder.Encode(dib.data(), stride, e) || !writer.WriteVideo(pos, e.data, e.size, e.keyFrame))
            return 1;
        if (pos >= soundSeconds * 25) continue;
        for (int i = 0; i < 1920; ++i) {
            const double t = (pos * 1920 + i) / 48000.0;
            sound[i * 2] = static_cast<int16_t>(8000 * std::sin(2 * M_PI * 440 * t));
            sound[i * 2 + 1] = static_cast<int16_t>(8000 * std::sin(2 * M_PI * 1000 * t));
        }
        if (!writer.WriteAudio(sound.data(), static_cast<uint32_t>(sound.size() * 2))) return 1;
    }
    return writer.Close() ? 0 : 1;
}
