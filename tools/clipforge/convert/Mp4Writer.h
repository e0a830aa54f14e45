// Encodes pictures with x264 and sound with AAC (48 kHz stereo, channels as
// they come) into an MP4 whose index sits at the front.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "tools/clipforge/convert/EncoderSettings.h"
#include "tools/clipforge/convert/FfmpegOwners.h"

namespace clipforge {

struct PictureFormat {
    int width = 0;
    int height = 0;
    AVRational timeBase{1, 25};   // of the pictures' timestamps
    AVRational frameRate{25, 1};
};

struct BitRates {
    int videoKbps = 0;  // 0: the quality of kX264Crf, whatever it takes
    int audioKbps = kAudioBitRate / 1000;
};

class Mp4Writer {
public:
    ~Mp4Writer();  // closes the file, finished or not

    enum class Opened {
        Yes,
        NoMuxer,       // the MP4 writer is missing from this build
        VideoRefused,  // the H.264 encoder is missing or refused the picture size
        AudioRefused,
        NotCreated,    // the file could not be created
        NotWritten,    // its header could not be written
    };
    Opened Open(const std::string& path, const PictureFormat& picture, bool sound, const BitRates& rates = {});
    bool Picture(const AVFrame* frame);  // any size or pixel format
    bool Sound(const AVFrame* frame);    // any PCM layout, rate or sample format
    // Drains the encoders and writes the index; false when anything failed
    // or `cancel` was set while the sound was padded out.
    bool Finish(const std::atomic<bool>* cancel = nullptr);

    // The first failure's FFmpeg error code (0: none).
    int Error() const { return m_error; }
    // The first failure came from the H.264 encoder (with pictures that
    // large, it runs out of memory).
    bool VideoEncoderFailed() const { return m_videoEncoderFailed; }
    int64_t Pictures() const { return m_pictures; }
    double Seconds() const;

private:
    bool OpenVideo(const PictureFormat& picture, int kbps);
    bool OpenAudio(int kbps);
    bool EncodeSound(bool flush);
    bool PadSoundToPictures(const std::atomic<bool>* cancel);
    bool Send(AVCodecContext& codec, AVStream& stream, const AVFrame* frame);
    bool Fail(int code);
    bool FailInEncoder(bool video, int code);

    AVFormatContext* m_output = nullptr;
    ff::Codec m_video, m_audio;
    AVStream* m_videoStream = nullptr;
    AVStream* m_audioStream = nullptr;
    ff::Scaler m_scaler;
    ff::Frame m_scaled;
    ff::Frame m_toEncode = ff::Frame(av_frame_alloc());
    ff::Resampler m_resampler;
    ff::Fifo m_fifo;
    ff::Frame m_soundFrame;
    ff::Packet m_packet = ff::Packet(av_packet_alloc());
    int64_t m_soundPts = AV_NOPTS_VALUE;  // of the next sample to encode, in 1/48000
    int64_t m_pictures = 0;
    int64_t m_lastPicturePts = AV_NOPTS_VALUE;
    bool m_headerWritten = false;
    int m_error = 0;
    bool m_videoEncoderFailed = false;
};

}  // namespace clipforge
