#include "wavein/WaveBlock.h"

#include <algorithm>

void CWaveBlock::SetBitsPerSample(int32_t bits) {
    m_bitsPerSample = bits;
    Reallocate();
}

void CWaveBlock::SetSampleCount(int32_t count) {
    m_sampleCount = count;
    Reallocate();
}

int32_t CWaveBlock::DataLength() const {
    if (m_sampleCount <= 0 || m_bitsPerSample <= 0) return 0;
    return static_cast<int32_t>(static_cast<int64_t>(m_sampleCount) * m_bitsPerSample / 8);
}

void CWaveBlock::Reallocate() {
    // At least one byte, so that Data() always points somewhere.
    std::vector<uint8_t>(static_cast<size_t>(std::max<int32_t>(DataLength(), 1))).swap(m_data);
}
