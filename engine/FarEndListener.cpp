#include "engine/FarEndListener.h"

#include <string>

CFarEndListener::~CFarEndListener() {
    Close();
}

bool CFarEndListener::Open(HWND window, UINT message, int device) {
    Close();
    auto input = std::make_unique<CWaveIn>(kBufferMs);
    input->SetNotify(window, message);
    if (!input->Open(std::to_string(device).c_str()) || !input->Start()) {
        input->Open(nullptr);
        return false;
    }
    m_input = std::move(input);
    return true;
}

void CFarEndListener::Close() {
    if (!m_input) return;
    m_input->Stop();
    m_input->Open(nullptr);
    m_input.reset();
}

std::vector<engine::SoundSlice> CFarEndListener::TakeLevels() {
    std::vector<engine::SoundSlice> levels;
    // Notifications may be left over from buffers read already: nothing then.
    while (m_input && m_input->ReadInput(&m_block) && m_block.DataLength() > 0) {
        const std::vector<engine::SoundSlice> read =
            m_meter.Add(m_block.Data(), static_cast<size_t>(m_block.DataLength()), m_input->LastBlockEndMs());
        levels.insert(levels.end(), read.begin(), read.end());
    }
    return levels;
}
