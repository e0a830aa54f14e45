// Fuzz target: the input is opened as a media file and taken through
// GetInfo, Seek and the decode calls to the end of both sides.
#include <cstdint>

extern "C" {
#include <libavutil/log.h>
}

#include "playback/MediaDecoder.h"
#include "tests/fuzz/fuzz_input.h"

namespace {

// Decodes both sides to their ends, or for at most `calls` calls each.
void DecodeToEnd(CMediaDecoder& decoder, VideoFrameBuffer* frame, AudioBlock* block, int calls) {
    for (int i = 0; frame && i < calls; ++i)
        if (decoder.DecodeVideoFrame(frame) != 1 && decoder.VideoAtEnd()) break;
    for (int i = 0; block && i < calls; ++i)
        if (decoder.DecodeAudio(block) != 1) break;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool quiet = (av_log_set_level(AV_LOG_QUIET), true);
    (void)quiet;
    if (!WriteFuzzInput(data, size)) return 0;

    // One decoder for every input (its converters are made once):
    // each Open closes the file before.
    static CMediaDecoder decoder;
    decoder.Init();
    if (decoder.Open(FuzzInputPath().c_str()) == 1) {
        MediaInfo info;
        decoder.GetInfo(&info);
        // The buffers live across inputs: a fresh 384,000-byte block (and a
        // picture of up to 4 MB) each run cost more page faults than the
        // decoding itself. A picture buffer is remade when the size changes.
        static AudioBlockPtr block(decoder.AllocAudioBlock());
        static VideoFramePtr frame;
        if (!frame || frame->width != info.width || frame->height != info.height)
            frame.reset(decoder.AllocVideoFrame());
        DecodeToEnd(decoder, frame.get(), block.get(), 500);
        decoder.Seek(0.5);
        DecodeToEnd(decoder, frame.get(), block.get(), 500);
        decoder.Seek(0.0);
        DecodeToEnd(decoder, frame.get(), block.get(), 50);
    }
    decoder.Close();
    return 0;
}
