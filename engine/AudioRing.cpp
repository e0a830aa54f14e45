#include "engine/AudioRing.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr int32_t kFrameBytes = 4;  // 16-bit stereo
}

CAudioRing::CAudioRing(int32_t size) : m_size(size), m_buffer(new uint8_t[size]()) {}

void CAudioRing::CopyIn(const uint8_t* data, int32_t n) {
    // A delivery longer than the ring leaves only its last Size() bytes.
    if (n > m_size) {
        m_writePos = (m_writePos + (n - m_size)) % m_size;
        data += n - m_size;
        n = m_size;
    }
    const int32_t toEnd = m_size - m_writePos;
    if (n < toEnd) {
        std::memcpy(m_buffer.get() + m_writePos, data, n);
    } else {
        std::memcpy(m_buffer.get() + m_writePos, data, toEnd);
        std::memcpy(m_buffer.get(), data + toEnd, n - toEnd);
    }
    m_writePos = (m_writePos + n) % m_size;
}

void CAudioRing::Append(const uint8_t* data, int32_t n) {
    if (!data || n <= 0) return;
    const int32_t total = n;
    CopyIn(data, n);
    m_count.fetch_add(total);
}

int32_t CAudioRing::AppendWhatFits(const uint8_t* data, int32_t n) {
    if (!data || n <= 0) return 0;
    // The count only shrinks meanwhile (the consumer drains), so what fits now
    // still fits when the bytes are in place.
    int32_t room = std::max(m_size - m_count.load(), 0);
    int32_t take = std::min(n, room);
    take -= take % kFrameBytes;
    if (take > 0) Append(data, take);
    return take;
}

int32_t CAudioRing::AppendSilenceWhatFits(int32_t n) {
    static const uint8_t kZeros[4096] = {};
    int32_t total = 0;
    while (n > 0) {
        const int32_t piece = std::min<int32_t>(n, sizeof kZeros);
        const int32_t took = AppendWhatFits(kZeros, piece);
        total += took;
        if (took < piece) break;
        n -= piece;
    }
    return total;
}

int32_t CAudioRing::Drain(uint8_t* out, int32_t limit) {
    int32_t n = std::min({m_count.load(), limit, m_size});
    n -= n % kFrameBytes;
    if (n <= 0) return 0;
    const int32_t toEnd = m_size - m_readPos;
    if (n <= toEnd) {
        std::memcpy(out, m_buffer.get() + m_readPos, n);
    } else {
        std::memcpy(out, m_buffer.get() + m_readPos, toEnd);
        std::memcpy(out + toEnd, m_buffer.get(), n - toEnd);
    }
    m_readPos = (m_readPos + n) % m_size;
    m_count.fetch_add(-n);
    return n;
}

void CAudioRing::Clear() {
    std::memset(m_buffer.get(), 0, m_size);
    m_writePos = 0;
    m_readPos = 0;
    m_count.store(0);
}
