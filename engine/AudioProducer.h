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
    void Reset() { m_written = 0; }

    // Appends a delivery of `n` bytes whose audio ended at `deliveryEndMs` to
    // `ring`; nothing while the video has not started (time zero is
    // `videoStartMs`). Returns the bytes put into the ring, silence included.
    int32_t Accept(CAudioRing& ring, const uint8_t* data, int32_t n, bool videoStarted,
                   uint32_t videoStartMs, uint32_t deliveryEndMs);

    // Bytes put on the track since time zero.
    int64_t Written() const { return m_written; }

private:
    int64_t m_written = 0;
};
