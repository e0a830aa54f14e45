// Reads a recording and decodes its pictures and sound, noting whatever
// could not be read on the way instead of giving up on it.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "tools/clipforge/convert/FfmpegOwners.h"

namespace clipforge {

class DecodedSink {
public:
    virtual ~DecodedSink() = default;
    // Return false to stop reading (the output failed).
    virtual bool Picture(AVFrame* frame) = 0;  // pts in the reader's VideoTimeBase
    virtual bool Sound(AVFrame* frame) = 0;
    // True once nothing more is wanted (a trim's end has passed): reading ends there.
    virtual bool Satisfied() const { return false; }
};

class RecordingReader {
public:
    // False, with the reason, when the file is no recording we can read.
    bool Open(const std::string& path, std::string& error);

    const AVCodecContext& Video() const { return *m_video; }
    // The pictures' size as the header states it, known even when Open
    // failed because FFmpeg would not take it (0 x 0: no pictures found).
    int DeclaredWidth() const { return m_declaredWidth; }
    int DeclaredHeight() const { return m_declaredHeight; }
    bool HasSound() const { return m_audio != nullptr; }
    AVRational VideoTimeBase() const;
    AVRational FrameRate() const;
    double Seconds() const;  // the length the header states

    enum class End { Finished, Cancelled, SinkStopped };
    End Run(DecodedSink& sink, const std::atomic<bool>* cancel);

    // The file ends before its header says, a packet could not be read or
    // a picture could not be decoded.
    bool Damaged() const { return m_cutOff || m_readError || m_badPackets > 0; }
    bool CutOff() const { return m_cutOff || m_readError; }
    int BadPackets() const { return m_badPackets; }

private:
    bool Decode(AVCodecContext& codec, const AVPacket* packet, bool video, DecodedSink& sink);
    bool DeclaresMoreThanItHolds(const std::string& path) const;
    void NoteDeclaredSize(const AVCodecParameters& stream);

    ff::Input m_input;
    ff::Codec m_video, m_audio;
    ff::Frame m_frame = ff::Frame(av_frame_alloc());
    int m_videoIndex = -1, m_audioIndex = -1;
    int m_declaredWidth = 0, m_declaredHeight = 0;
    bool m_cutOff = false, m_readError = false;
    int m_badPackets = 0;
};

}  // namespace clipforge
