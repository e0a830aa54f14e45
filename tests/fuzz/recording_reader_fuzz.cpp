// Fuzz target: the input is read as the converter reads a recording. What
// the converter would refuse by its size is not decoded (nor is it by the
// converter); everything else is decoded to the end, or for a few hundred
// pictures, and each frame's rows and channels are touched at both ends, as
// the scaler and the resampler behind the reader would read them.
#include <cstdint>

extern "C" {
#include <libavutil/imgutils.h>
#include <libavutil/log.h>
#include <libavutil/pixdesc.h>
#include <libavutil/samplefmt.h>
}

#include "tests/fuzz/fuzz_input.h"
#include "tools/clipforge/convert/EncoderSettings.h"
#include "tools/clipforge/convert/RecordingReader.h"

namespace {

class TouchingSink : public clipforge::DecodedSink {
public:
    bool Picture(AVFrame* frame) override {
        const AVPixFmtDescriptor* format = av_pix_fmt_desc_get(AVPixelFormat(frame->format));
        if (!format) return true;
        for (int plane = 0; plane < 4 && frame->data[plane]; ++plane) {
            const int bytes = av_image_get_linesize(AVPixelFormat(frame->format), frame->width, plane);
            const int rows = plane == 1 || plane == 2 ? AV_CEIL_RSHIFT(frame->height, format->log2_chroma_h)
                                                      : frame->height;
            for (int y = 0; bytes > 0 && y < rows; ++y) {
                const uint8_t* row = frame->data[plane] + ptrdiff_t(y) * frame->linesize[plane];
                m_sum += row[0] + row[bytes - 1];
            }
        }
        return ++m_pictures < kMaxPictures;
    }

    bool Sound(AVFrame* frame) override {
        const AVSampleFormat format = AVSampleFormat(frame->format);
        const int channels = frame->ch_layout.nb_channels;
        const int planes = av_sample_fmt_is_planar(format) ? channels : 1;
        const int bytes = frame->nb_samples * av_get_bytes_per_sample(format) * (planes == 1 ? channels : 1);
        for (int plane = 0; bytes > 0 && plane < planes; ++plane)
            m_sum += frame->extended_data[plane][0] + frame->extended_data[plane][bytes - 1];
        return true;
    }

    unsigned Sum() const { return m_sum; }

private:
    static constexpr int kMaxPictures = 300;
    int m_pictures = 0;
    unsigned m_sum = 0;
};

// Keeps the reads from being left out.
volatile unsigned g_touched;
volatile double g_seconds;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool quiet = (av_log_set_level(AV_LOG_QUIET), true);
    (void)quiet;
    if (!WriteFuzzInput(data, size)) return 0;

    clipforge::RecordingReader reader;
    std::string error;
    if (!reader.Open(FuzzInputPath(), error)) return 0;
    if (!clipforge::WithinPictureLimits(reader.DeclaredWidth(), reader.DeclaredHeight())) return 0;
    g_seconds = reader.Seconds() + av_q2d(reader.FrameRate()) + av_q2d(reader.VideoTimeBase());
    TouchingSink sink;
    reader.Run(sink, nullptr);
    g_touched = sink.Sum() + reader.BadPackets() + reader.CutOff();
    return 0;
}
