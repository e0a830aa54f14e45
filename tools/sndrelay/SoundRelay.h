// Plays what arrives on one wave input to one wave output, on its own thread,
// with a short queue so the added delay stays small. On request it reports
// how loud that sound is to a window.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

#include "callenv/CallEnvNames.h"
#include "engine/SoundLevel.h"

class CSoundRelay {
public:
    struct Settings {
        unsigned inputDevice = 0;
        unsigned outputDevice = 0;
        unsigned blockMs = 10;         // one wave block
        unsigned inputBlocks = 8;      // blocks queued on the input
        unsigned outputBlocks = 12;    // blocks the output may hold
        unsigned maxPendingMs = 40;    // written but not yet played; beyond this, input is dropped
    };

    CSoundRelay() = default;
    ~CSoundRelay() { Stop(); }
    CSoundRelay(const CSoundRelay&) = delete;
    CSoundRelay& operator=(const CSoundRelay&) = delete;

    // Opens both devices at 48 kHz, 16-bit stereo and starts relaying.
    bool Start(const Settings& settings);
    void Stop();
    bool Running() const { return m_thread.joinable(); }
    // Posts each slice's level to `window` (msg::kFarEndLevelReport);
    // null stops the reports. Any thread.
    void ReportLevelsTo(HWND window) { m_levelsTo = window; }

private:
    struct Block {
        WAVEHDR header{};
        std::vector<char> data;
    };

    bool OpenDevices();
    void Run();
    void ForwardCompletedInput();
    void ReportLevels(const Block& in);
    Block* FreeOutputBlock();
    // Frames written to the output that it has not played yet.
    uint64_t PendingFrames();
    void CloseDevices();

    Settings m_settings;
    HWAVEIN m_in = nullptr;
    HWAVEOUT m_out = nullptr;
    HANDLE m_inputEvent = nullptr;
    std::vector<Block> m_inputBlocks;
    std::vector<Block> m_outputBlocks;
    unsigned m_nextInput = 0;
    uint64_t m_framesWritten = 0;
    std::atomic<bool> m_stop{false};
    std::atomic<HWND> m_levelsTo{nullptr};
    engine::CLevelMeter m_meter{callenv::kLevelSliceMs};  // the relay thread's
    std::thread m_thread;
};
