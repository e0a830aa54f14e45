#include "engine/AudioMix.h"

#include <cstring>

#include "engine/RecordParams.h"

namespace {

int16_t Sample(const uint8_t* p) {
    int16_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

void PutSample(uint8_t* p, int16_t v) {
    std::memcpy(p, &v, sizeof v);
}

}  // namespace

CAudioScratch::CAudioScratch(int32_t size)
    : m_size(size), m_a(new uint8_t[size]()), m_b(new uint8_t[size]()) {}

void MixStereoFrames(uint8_t* a, const uint8_t* b, int32_t bytes) {
    for (int32_t i = 0; i + 4 <= bytes; i += 4) {
        const int left = (Sample(a + i) + Sample(a + i + 2)) / 2;
        const int right = (Sample(b + i) + Sample(b + i + 2)) / 2;
        PutSample(a + i, static_cast<int16_t>(left));
        PutSample(a + i + 2, static_cast<int16_t>(right));
    }
}

bool AudioChunkDue(const CAudioRing& ringA) {
    return ringA.Count() > engine::kAudioChunkThreshold;
}

int32_t DrainAndMix(CAudioRing& ringA, CAudioRing& ringB, CAudioScratch& scratch) {
    const int32_t n = ringA.Drain(scratch.A(), scratch.Size());
    // Ring B is drained at the same moments whatever it holds; bytes beyond
    // ring A's share have no left channel to pair with and are dropped.
    ringB.Drain(scratch.B(), scratch.Size());
    MixStereoFrames(scratch.A(), scratch.B(), n);
    return n;
}
