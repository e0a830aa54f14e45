// Turns the two rings into the file's one stereo track: the left channel
// carries the far end (ring A), the right channel the microphone (ring B).
#pragma once

#include <cstdint>
#include <memory>

#include "engine/AudioRing.h"

// Per-recording copies of the drained bytes. Scratch B keeps what it held
// from earlier chunks: where ring B delivered less than ring A, the right
// channel of the remaining frames comes from there (zero at first).
class CAudioScratch {
public:
    explicit CAudioScratch(int32_t size);
    int32_t Size() const { return m_size; }
    uint8_t* A() { return m_a.get(); }
    uint8_t* B() { return m_b.get(); }

private:
    int32_t m_size;
    std::unique_ptr<uint8_t[]> m_a;
    std::unique_ptr<uint8_t[]> m_b;
};

// In place into `a`, for bytes / 4 frames: left = (A.left + A.right) / 2,
// right = (B.left + B.right) / 2, signed 16-bit, truncating toward zero.
void MixStereoFrames(uint8_t* a, const uint8_t* b, int32_t bytes);

// True when ring A holds enough to write a chunk.
bool AudioChunkDue(const CAudioRing& ringA);

// Drains both rings (each at most the scratch size), mixes into scratch A and
// returns the chunk's length in bytes (what ring A gave; 0 = nothing).
int32_t DrainAndMix(CAudioRing& ringA, CAudioRing& ringB, CAudioScratch& scratch);
