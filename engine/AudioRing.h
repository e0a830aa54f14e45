// A byte ring between one producer (the wave-input handlers on the
// user-interface thread) and one consumer (the recording worker). Each side
// owns its position; the shared count changes only by atomic add, after the
// bytes are in place (producer) or copied out (consumer), so the consumer never
// reads bytes that are not there yet.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

class CAudioRing {
public:
    explicit CAudioRing(int32_t size);
    CAudioRing(const CAudioRing&) = delete;
    CAudioRing& operator=(const CAudioRing&) = delete;

    int32_t Size() const { return m_size; }
    // Bytes written and not yet drained. May exceed Size() when the producer
    // has overwritten unread bytes; what to do then is the producer's policy.
    int32_t Count() const { return m_count.load(); }
    int32_t WritePosition() const { return m_writePos; }
    int32_t ReadPosition() const { return m_readPos; }

    // Producer: copies n bytes at the write position, wrapping at the end of
    // the buffer, then adds n to the count.
    void Append(const uint8_t* data, int32_t n);

    // Producer: appends as many whole frames of `data` as fit beside the
    // bytes not yet drained, and drops the rest, so that the count never
    // exceeds the ring and the consumer never reads overwritten audio.
    // Returns the bytes appended.
    int32_t AppendWhatFits(const uint8_t* data, int32_t n);
    // The same with n bytes of silence.
    int32_t AppendSilenceWhatFits(int32_t n);

    // Consumer: takes at most `limit` bytes (never more than the count, never
    // more than the ring holds) from the read position into `out`, wrapping,
    // and subtracts what it took from the count. Whole 4-byte stereo frames
    // only, so a chunk never splits a frame. Returns the bytes taken.
    int32_t Drain(uint8_t* out, int32_t limit);

    // Zeroes the buffer and both positions and the count; only while neither
    // side runs.
    void Clear();

private:
    void CopyIn(const uint8_t* data, int32_t n);

    int32_t m_size;
    std::unique_ptr<uint8_t[]> m_buffer;
    int32_t m_writePos = 0;  // producer's
    int32_t m_readPos = 0;   // consumer's
    std::atomic<int32_t> m_count{0};
};

inline void ClearRing(CAudioRing& ring) {
    ring.Clear();
}
