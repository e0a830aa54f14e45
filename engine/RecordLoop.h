// The recording worker's loop, free of the window system: one grab, at most
// one audio chunk and one frame write per turn, positions by wall-clock time,
// then a wait that notices a stop within one 50 ms slice.
#pragma once

#include <cstdint>

// What one recording offers the loop. The Windows worker implements it with
// the screen on the loop's thread and the rings and the AVI file on a writing
// thread of its own.
class IRecordSession {
public:
    virtual ~IRecordSession() = default;
    virtual uint32_t NowMs() = 0;  // a millisecond clock, may wrap
    virtual void SleepMs(uint32_t ms) = 0;
    virtual bool Recording() = 0;
    virtual void MarkVideoStarted() = 0;
    // Replaces the origin when the user has moved the recorded rectangle.
    virtual void TakeOrigin(int32_t& left, int32_t& top) = 0;
    // False when no frame could be taken (no memory for it).
    virtual bool GrabFrame(int32_t left, int32_t top) = 0;
    // Drains, mixes and writes one audio chunk if enough audio waits. A
    // session that writes frames on a thread of its own writes the chunk
    // there, right before this turn's frame. False when writing has failed.
    virtual bool WriteAudioChunkIfDue() = 0;
    // Writes the grabbed frame at `position`, or hands it to the thread that
    // writes frames. False when writing has failed.
    virtual bool WriteFrame(uint32_t position) = 0;
    virtual void FreeFrame() = 0;
    virtual void RequestRepaint() = 0;
};

struct RecordLoopResult {
    bool failed = false;  // a grab or a write failed; what was written stays
    uint32_t turns = 0;
    uint32_t framesWritten = 0;
    uint32_t lastPosition = 0;
};

RecordLoopResult RunRecordLoop(IRecordSession& session, int32_t frameIntervalMs, int32_t left,
                               int32_t top);
