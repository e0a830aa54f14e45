// Opens one recorded media file and hands out, on request, decoded pictures
// (planar YUV 4:2:0) and decoded sound (interleaved signed 16-bit, one or two
// channels) with their times in seconds. The video and the audio are read
// through two independent inputs on the same file, so each side advances at
// its own pace. Results: 1 success, -1 failure, unless stated.
//
// One instance belongs to one thread at a time; several instances may have
// the same file open.
#pragma once

#include <cstdint>
#include <memory>

#include "playback/MediaBuffers.h"

struct AVFormatContext;
struct AVCodecContext;
struct AVStream;
struct AVPacket;
struct AVFrame;
class CPictureConverter;
class CSoundConverter;

class CMediaDecoder {
public:
    CMediaDecoder();
    ~CMediaDecoder();
    CMediaDecoder(const CMediaDecoder&) = delete;
    CMediaDecoder& operator=(const CMediaDecoder&) = delete;

    // Once after construction, before Open.
    int Init();
    // Closes anything open first. 1 when the video side, the audio side or
    // both opened.
    int Open(const char* path);
    // Safe to call repeatedly.
    int Close();

    int GetInfo(MediaInfo* info);
    // fraction: 0.0 the start, 1.0 the end. Both sides move and their
    // decoders forget what they held.
    int Seek(double fraction);

    // Buffers sized for this file; null when there is no video, the size is
    // not positive or too large, or memory runs out.
    VideoFrameBuffer* AllocVideoFrame();
    AudioBlock* AllocAudioBlock();
    static void FreeBuffer(VideoFrameBuffer* buffer);
    static void FreeBuffer(AudioBlock* buffer);

    // 1 when a new picture was written into the buffer. Each call reads one
    // video packet; at the end of the input, pictures the decoder still
    // holds come out one per call.
    int DecodeVideoFrame(VideoFrameBuffer* buffer);
    // 1 when the block holds new samples; -1 at the end of the audio or
    // without audio. Sound that does not fit the block comes with the next
    // call.
    int DecodeAudio(AudioBlock* block);

    // 0 when that side is not open; 1 once its packets have run out.
    int VideoAtEnd() const;
    int AudioAtEnd() const;

private:
    struct Side {
        AVFormatContext* input = nullptr;
        AVCodecContext* decoder = nullptr;
        AVStream* stream = nullptr;
        int streamIndex = -1;
        bool atEnd = false;     // reading a packet failed
        bool draining = false;  // the decoder was told the input ended
    };
    enum class Kind { Video, Audio };

    int OpenSide(Side& side, Kind kind);
    int OpenStreamDecoder(Side& side, int streamIndex, Kind kind);
    static void CloseSide(Side& side);
    int SeekSide(Side& side, int64_t target);
    int ReadPacket(Side& side);
    // Time of `ts` in the side's stream, seconds.
    static double StreamSeconds(const Side& side, int64_t ts);
    const Side* InfoSide() const;

    int TakePendingSound(AudioBlock* block);

    char m_path[260] = {};
    Side m_video;
    Side m_audio;
    int64_t m_startTime = 0;  // microseconds; where Open positions the inputs
    bool m_generateTimestamps = false;
    AVPacket* m_packet = nullptr;
    AVFrame* m_frame = nullptr;
    int32_t m_width = 0;  // of the video stream at open
    int32_t m_height = 0;
    int32_t m_channels = 0;  // of the decoded sound
    int32_t m_sampleRate = 0;
    double m_lastVideoTime = 0.0;
    double m_frameSeconds = 0.0;  // one picture's duration, 0 when unknown
    double m_keptTime = -1.0;     // of the sound kept for the next block
    std::unique_ptr<CPictureConverter> m_pictures;
    std::unique_ptr<CSoundConverter> m_sound;
};

// Owners for the buffers AllocVideoFrame and AllocAudioBlock give.
struct MediaBufferDeleter {
    void operator()(VideoFrameBuffer* buffer) const { CMediaDecoder::FreeBuffer(buffer); }
    void operator()(AudioBlock* buffer) const { CMediaDecoder::FreeBuffer(buffer); }
};
using VideoFramePtr = std::unique_ptr<VideoFrameBuffer, MediaBufferDeleter>;
using AudioBlockPtr = std::unique_ptr<AudioBlock, MediaBufferDeleter>;
