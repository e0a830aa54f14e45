// Decoding speed of CMediaDecoder against the ffmpeg command-line tool (one
// thread, -f null) on the same 1280 × 720 recording of ours: MP43 pictures
// and 48 kHz stereo sound, as the recorder writes them.
//   decode_bench [SECONDS]
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <numbers>
#include <string>
#include <vector>

#include "bench/ConversationPicture.h"
#include "engine/AviWriter.h"
#include "engine/Mp43Encoder.h"
#include "engine/RecordParams.h"
#include "playback/MediaDecoder.h"

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 720;
constexpr int kRounds = 3;  // best of

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

bool WriteRecording(const std::string& path, int frames) {
    const int stride = (kWidth * 3 + 3) & ~3;
    AviVideoFormat video;
    video.width = kWidth;
    video.height = kHeight;
    video.fourcc = MakeFourcc('M', 'P', '4', '3');
    video.imageSize = static_cast<uint32_t>(stride * kHeight);
    CMp43Encoder encoder;
    CAviWriter writer;
    if (!encoder.Open(kWidth, kHeight, 25, 25, 10000) || !writer.Open(path, video, AviAudioFormat{}))
        return false;
    std::vector<uint8_t> dib(static_cast<size_t>(stride) * kHeight);
    std::vector<int16_t> sound(1920 * 2);  // one picture's worth at 48 kHz
    long n = 0;
    for (int i = 0; i < frames; ++i) {
        PaintConversation(dib, kWidth, kHeight, i);
        EncodedFrame e;
        if (!encoder.Encode(dib.data(), stride, e) || !writer.WriteVideo(i, e.data, e.size, e.keyFrame))
            return false;
        for (size_t s = 0; s < sound.size(); s += 2, ++n)
            sound[s] = sound[s + 1] =
                static_cast<int16_t>(8000 * std::sin(2 * std::numbers::pi * 440.0 * n / 48000.0));
        if (!writer.WriteAudio(sound.data(), static_cast<uint32_t>(sound.size() * 2))) return false;
    }
    return writer.Close();
}

// Decodes every picture and every block; returns the seconds it took.
double DecodeOurs(const std::string& path, long& pictures, long long& samples) {
    const auto start = std::chrono::steady_clock::now();
    CMediaDecoder decoder;
    decoder.Init();
    if (decoder.Open(path.c_str()) != 1) return 0;
    VideoFramePtr frame(decoder.AllocVideoFrame());
    AudioBlockPtr block(decoder.AllocAudioBlock());
    pictures = 0;
    samples = 0;
    while (frame) {
        if (decoder.DecodeVideoFrame(frame.get()) == 1)
            ++pictures;
        else if (decoder.VideoAtEnd())
            break;
    }
    while (block && decoder.DecodeAudio(block.get()) == 1) samples += block->sampleCount;
    decoder.Close();
    return Seconds(start);
}

double DecodeCli(const std::string& path) {
    const std::string command = "ffmpeg -nostdin -hide_banner -threads 1 -i '" + path +
                                "' -f null - >/dev/null 2>&1";
    const auto start = std::chrono::steady_clock::now();
    return std::system(command.c_str()) == 0 ? Seconds(start) : 0;
}

}  // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 20;
    char dirTemplate[] = "/tmp/decode_bench.XXXXXX";
    const char* dir = mkdtemp(dirTemplate);
    if (!dir || seconds <= 0) return 1;
    const std::string path = std::string(dir) + "/recording.avi";
    if (!WriteRecording(path, seconds * 25)) {
        std::printf("could not write the recording\n");
        return 1;
    }
    double ours = 1e9, cli = 1e9;
    long pictures = 0;
    long long samples = 0;
    for (int round = 0; round < kRounds; ++round) {
        const double o = DecodeOurs(path, pictures, samples);
        const double c = DecodeCli(path);
        if (o > 0) ours = std::min(ours, o);
        if (c > 0) cli = std::min(cli, c);
    }
    std::printf("%dx%d, %d s of MP43 + 48 kHz stereo, best of %d\n", kWidth, kHeight, seconds, kRounds);
    std::printf("CMediaDecoder   %7.3f s  %7.1f pictures/s  (%ld pictures, %lld samples)\n", ours,
                pictures / ours, pictures, samples);
    std::printf("ffmpeg -f null  %7.3f s  %7.1f pictures/s  (one thread)\n", cli, seconds * 25 / cli);
    std::printf("SUMMARY speed ours/ffmpeg: %.2f (target 0.90 or more)\n", cli / ours);
    const std::string cleanup = std::string("rm -rf ") + dir;
    return std::system(cleanup.c_str()) == 0 ? 0 : 1;
}
