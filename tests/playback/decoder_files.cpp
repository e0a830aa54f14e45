#include "tests/playback/decoder_files.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <numbers>

#include "engine/AviWriter.h"
#include "engine/Mp43Encoder.h"
#include "engine/RecordParams.h"
#include "playback/MediaDecoder.h"

DecoderTempDir::DecoderTempDir() {
    static std::atomic<int> serial{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    m_path = std::filesystem::temp_directory_path() /
             ("lumiskop-decoder-" + std::to_string(stamp) + "-" + std::to_string(serial++));
    std::filesystem::create_directories(m_path);
}

namespace {

std::vector<uint8_t> SolidDib(int width, int height, Rgb c) {
    const int stride = (width * 3 + 3) & ~3;
    std::vector<uint8_t> dib(static_cast<size_t>(stride) * height, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint8_t* p = &dib[static_cast<size_t>(y) * stride + x * 3];
            p[0] = c.b;
            p[1] = c.g;
            p[2] = c.r;
        }
    return dib;
}

std::vector<int16_t> Tones(const RecordingPlan& plan) {
    const size_t frames = static_cast<size_t>(plan.audioSeconds * 48000.0);
    std::vector<int16_t> pcm(frames * plan.channels);
    for (size_t i = 0; i < frames; ++i)
        for (int c = 0; c < plan.channels; ++c) {
            const double hz = c < static_cast<int>(plan.toneHz.size()) ? plan.toneHz[c] : 0.0;
            pcm[i * plan.channels + c] =
                static_cast<int16_t>(8000.0 * std::sin(2.0 * std::numbers::pi * hz * i / 48000.0));
        }
    return pcm;
}

}  // namespace

bool WriteRecording(const std::string& path, const RecordingPlan& plan) {
    AviVideoFormat video;
    video.width = plan.width;
    video.height = plan.height;
    const int stride = (plan.width * 3 + 3) & ~3;
    video.imageSize = static_cast<uint32_t>(stride * plan.height);
    video.fourcc = plan.mp43 ? MakeFourcc('M', 'P', '4', '3') : 0;
    AviAudioFormat audio;
    audio.channels = static_cast<uint16_t>(plan.channels);
    CMp43Encoder encoder;
    if (plan.mp43 && !encoder.Open(plan.width, plan.height, 25, 25, 10000)) return false;
    AviWriterOptions options;
    if (plan.smallHeader) options.superIndexEntries = 1;
    CAviWriter writer(options);
    if (!writer.Open(path, video, audio)) return false;

    const std::vector<int16_t> pcm = Tones(plan);
    const size_t frameBytes = static_cast<size_t>(plan.channels) * 2;
    const size_t totalFrames = pcm.size() / plan.channels;
    const int pictures = static_cast<int>(plan.colours.size()) * plan.picturesPerColour;
    const size_t chunks = plan.audioChunks > 0 ? plan.audioChunks : std::max(pictures, 1);
    size_t audioDone = 0;
    auto writeAudioUpTo = [&](size_t chunk) {
        const size_t until = totalFrames * chunk / chunks;
        if (until <= audioDone) return true;
        const bool ok = writer.WriteAudio(pcm.data() + audioDone * plan.channels,
                                          static_cast<uint32_t>((until - audioDone) * frameBytes));
        audioDone = until;
        return ok;
    };
    for (int i = 0; i < std::max(pictures, static_cast<int>(chunks)); ++i) {
        if (i < pictures) {
            const std::vector<uint8_t> dib = SolidDib(plan.width, plan.height, plan.colours[i / plan.picturesPerColour]);
            if (plan.mp43) {
                EncodedFrame e;
                if (!encoder.Encode(dib.data(), stride, e) ||
                    !writer.WriteVideo(i, e.data, e.size, e.keyFrame))
                    return false;
            } else if (!writer.WriteVideo(i, dib.data(), static_cast<uint32_t>(dib.size()), true)) {
                return false;
            }
        }
        if (i < static_cast<int>(chunks) && !writeAudioUpTo(i + 1)) return false;
    }
    return writer.Close();
}

YuvMean MeanOf(const VideoFrameBuffer& frame) {
    const size_t luma = static_cast<size_t>(frame.width) * frame.height;
    const size_t chroma = static_cast<size_t>(frame.width / 2) * (frame.height / 2);
    double y = 0, u = 0, v = 0;
    for (size_t i = 0; i < luma; ++i) y += frame.bytes[i];
    for (size_t i = 0; i < chroma; ++i) {
        u += frame.bytes[luma + i];
        v += frame.bytes[luma + chroma + i];
    }
    return {y / luma, chroma ? u / chroma : 0, chroma ? v / chroma : 0};
}

YuvMean YuvOf(Rgb c) {
    return {16 + (65.481 * c.r + 128.553 * c.g + 24.966 * c.b) / 255.0,
            128 + (-37.797 * c.r - 74.203 * c.g + 112.0 * c.b) / 255.0,
            128 + (112.0 * c.r - 93.786 * c.g - 18.214 * c.b) / 255.0};
}

GuardedSound DecodeGuarded(CMediaDecoder& decoder, int channels, int sampleRate) {
    GuardedSound out;
    out.channels = channels;
    constexpr int kGuard = 4096;
    constexpr int16_t kMark = 0x5A5A;
    AudioBlock block;
    block.samples.reset(new int16_t[kAudioBlockSamples + kGuard]);
    std::fill_n(block.samples.get(), kAudioBlockSamples + kGuard, kMark);
    double expected = 0.0;
    while (decoder.DecodeAudio(&block) == 1) {
        out.largestBlock = std::max(out.largestBlock, block.sampleCount);
        if (std::fabs(block.timestamp - expected) > 1e-6) out.continuous = false;
        expected = block.timestamp + static_cast<double>(block.sampleCount / channels) / sampleRate;
        out.samples.insert(out.samples.end(), block.samples.get(),
                           block.samples.get() + std::min(block.sampleCount, kAudioBlockSamples));
    }
    for (int i = 0; i < kGuard; ++i)
        if (block.samples[kAudioBlockSamples + i] != kMark) out.guardIntact = false;
    return out;
}
