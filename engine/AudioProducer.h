// The producer side of the audio rings: what an input's deliveries put into
// its ring. The pictures are placed by the recording's clock, so the audio is
// too: each delivery (whole capture buffers, stamped with the time its last
// buffer completed) goes where its sound belongs on the track. Audio from
// before the first picture is dropped, a stretch the device did not deliver
// becomes silence, and audio that would overlap what is already there is
// dropped, so the track never drifts from the pictures by more than a little.
#pragma once

#include <cstdint>

#include "engine/AudioRing.h"

class CAudioTrackAligner {
public:
    // Corrections smaller than this are left alone: completion stamps jitter.
    static constexpr int32_t kToleranceBytes = 20 * 192;  // 20 ms

    // A new recording's track starts empty.
    void Reset() { *this = CAudioTrackAligner(); }

    // Appends a delivery of `n` bytes whose audio ended at `deliveryEndMs` to
    // `ring`; nothing while the video has not started (time zero is
    // `videoStartMs`). Returns the bytes put into the ring, silence included.
    int32_t Accept(CAudioRing& ring, const uint8_t* data, int32_t n, bool videoStarted,
                   uint32_t videoStartMs, uint32_t deliveryEndMs);

    // Ends the track at `stopMs`, when the recording stops: sound the device
    // still held in its pipeline never arrives, so what is missing up to that
    // moment becomes silence and the track lasts as long as the pictures. A
    // track that never got any sound stays empty. Returns the bytes added.
    int32_t FinishAt(CAudioRing& ring, bool videoStarted, uint32_t videoStartMs, uint32_t stopMs);

    // Bytes put on the track since time zero.
    int64_t Written() const { return m_written; }
    // What the device delivered after time zero, and the corrections made.
    int64_t Delivered() const { return m_delivered; }
    int64_t SilenceAdded() const { return m_silence; }  // the late start's included
    int64_t LateStartSilence() const { return m_lateStart; }
    int64_t OverlapDropped() const { return m_overlap; }
    // Bytes the clock allows from the first delivered sound to the last: with
    // Delivered(), how fast the device runs against the clock.
    int64_t ClockSpan() const { return m_firstStart < 0 ? 0 : m_lastEnd - m_firstStart; }

private:
    int64_t m_written = 0;
    int64_t m_delivered = 0;
    int64_t m_silence = 0;
    int64_t m_overlap = 0;
    int64_t m_lateStart = 0;
    int64_t m_firstStart = -1;
    int64_t m_lastEnd = 0;
};
