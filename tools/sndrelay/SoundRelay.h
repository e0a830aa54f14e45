// Plays what arrives on one wave input to one wave output, on its own thread,
// with a short queue so the added delay stays small.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <atomic>
#include <thread>
#include <vector>

class CSoundRelay {
public:
    struct Settings {
        unsigned inputDevice = 0;
        unsigned outputDevice = 0;
        unsigned blockMs = 5;          // one wave block
        unsigned inputBlocks = 16;     // blocks queued on the input
        unsigned maxQueuedOutput = 6;  // blocks waiting to play; beyond this, new ones are dropped
    };

    CSoundRelay() = default;
    ~CSoundRelay() { Stop(); }
    CSoundRelay(const CSoundRelay&) = delete;
    CSoundRelay& operator=(const CSoundRelay&) = delete;

    // Opens both devices at 48 kHz, 16-bit stereo and starts relaying.
    bool Start(const Settings& settings);
    void Stop();
    bool Running() const { return m_thread.joinable(); }

private:
    struct Block {
        WAVEHDR header{};
        std::vector<char> data;
    };

    bool OpenDevices();
    void Run();
    void ForwardCompletedInput();
    Block* FreeOutputBlock(unsigned& queued);
    void CloseDevices();

    Settings m_settings;
    HWAVEIN m_in = nullptr;
    HWAVEOUT m_out = nullptr;
    HANDLE m_inputEvent = nullptr;
    std::vector<Block> m_inputBlocks;
    std::vector<Block> m_outputBlocks;
    unsigned m_nextInput = 0;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};
