// Listens to the virtual device's input itself, for automatic recording when
// the audio engine does not report what it hears there: a wave input of its
// own, with short buffers so that the program reacts quickly. It reads the
// same format as the recording's inputs and only measures what it hears.
// Owned by the call watch; every call comes from the main window's thread.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "engine/SoundLevel.h"
#include "wavein/WaveBlock.h"
#include "wavein/WaveIn.h"

class CFarEndListener {
public:
    static constexpr int32_t kBufferMs = 100;

    ~CFarEndListener();

    // Opens wave input `device` and starts it; completed buffers post
    // `message` to `window`. False when the device cannot be opened.
    bool Open(HWND window, UINT message, int device);
    void Close();
    bool IsOpen() const { return m_input != nullptr; }

    // What arrived since the last call, in slices of one buffer, oldest first.
    std::vector<engine::SoundSlice> TakeLevels();

private:
    std::unique_ptr<CWaveIn> m_input;
    CWaveBlock m_block;
    engine::CLevelMeter m_meter{kBufferMs};
};
