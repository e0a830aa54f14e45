// Decodes a media file through CMediaDecoder and prints what it found, for
// checks from outside:
//   decode_probe [--seek FRACTION] FILE
//   info HAS_VIDEO HAS_AUDIO WIDTH HEIGHT DURATION FPS SAMPLE_RATE CHANNELS
//   decoded PICTURES SAMPLES FIRST_VIDEO_TIME FIRST_AUDIO_TIME
// Pictures are the calls that gave one, samples the sum of the blocks'
// sample counts, times -1.000 when none. Exit status 1 with "error REASON"
// when the file does not open, the seek fails or the arguments are wrong.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "playback/MediaDecoder.h"

namespace {

int Fail(const char* reason) {
    std::printf("error %s\n", reason);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    const char* path = nullptr;
    bool seek = false;
    double fraction = 0.0;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--seek") == 0 && i + 1 < argc) {
            char* end = nullptr;
            fraction = std::strtod(argv[++i], &end);
            if (end == argv[i] || *end) return Fail("the seek fraction is not a number");
            seek = true;
        } else if (!path) {
            path = argv[i];
        } else {
            return Fail("usage: decode_probe [--seek FRACTION] FILE");
        }
    }
    if (!path) return Fail("usage: decode_probe [--seek FRACTION] FILE");

    CMediaDecoder decoder;
    decoder.Init();
    if (decoder.Open(path) != 1) return Fail("the file could not be opened");
    MediaInfo info;
    decoder.GetInfo(&info);
    std::printf("info %d %d %d %d %.3f %.3f %d %d\n", info.hasVideo, info.hasAudio, info.width,
                info.height, info.duration, info.frameRate, info.sampleRate, info.channels);
    if (seek && decoder.Seek(fraction) != 1) return Fail("the seek failed");

    long pictures = 0;
    double firstVideo = -1.0;
    VideoFramePtr frame(decoder.AllocVideoFrame());
    while (frame) {
        if (decoder.DecodeVideoFrame(frame.get()) == 1) {
            if (pictures++ == 0) firstVideo = frame->timestamp;
        } else if (decoder.VideoAtEnd()) {
            break;
        }
    }
    long long samples = 0;
    double firstAudio = -1.0;
    bool anyBlock = false;
    AudioBlockPtr block(decoder.AllocAudioBlock());
    while (block && decoder.DecodeAudio(block.get()) == 1) {
        if (!anyBlock) firstAudio = block->timestamp;
        anyBlock = true;
        samples += block->sampleCount;
    }
    std::printf("decoded %ld %lld %.3f %.3f\n", pictures, samples, firstVideo, firstAudio);
    decoder.Close();
    return 0;
}
