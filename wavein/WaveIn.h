// Records PCM audio from one wave input device with a ring of five capture
// buffers (four queued, one spare), tells a window when buffers complete, and
// on request hands all completed audio over in one CWaveBlock.
//
// All calls but the completion callback come from the user-interface thread.
// The callback only counts, posts the notification and signals the event.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <atomic>
#include <cstdint>
#include <memory>

#include "wavein/WaveBlock.h"
#include "wavein/WaveFormat.h"

class CWaveIn {
public:
    explicit CWaveIn(int32_t bufferLengthMs);
    virtual ~CWaveIn();
    CWaveIn(const CWaveIn&) = delete;
    CWaveIn& operator=(const CWaveIn&) = delete;

    // Window and message posted on every completed buffer; nothing is posted
    // while either is 0.
    virtual bool SetNotify(HWND window, UINT message);
    virtual bool Start();
    virtual bool Stop();
    // Closes any open device; with a text, opens device atoi(text) (-1 is the
    // system's default input) and queues four buffers.
    virtual bool Open(const char* deviceText);
    // Hands over every buffer completed since the last read; false when none.
    virtual bool ReadInput(CWaveBlock* block);

    bool IsOpen() const { return m_device != nullptr; }
    // Multimedia-clock time (ms) at which the last buffer handed over by
    // ReadInput completed, i.e. when the block's audio ends.
    uint32_t LastBlockEndMs() const { return m_lastBlockEndMs; }
    uint32_t BufferBytes() const { return m_bufferBytes; }
    HANDLE DataEvent() const { return m_dataEvent; }

private:
    static void CALLBACK Callback(HWAVEIN device, UINT message, DWORD_PTR instance,
                                  DWORD_PTR header, DWORD_PTR);
    void Close();
    WAVEHDR& Header(uint32_t i) { return m_headers[i % wavein::kBufferCount]; }
    bool Queue(WAVEHDR& header);

    HWND m_notifyWindow = nullptr;
    UINT m_notifyMessage = 0;
    WAVEFORMATEX m_format{};
    int32_t m_bufferLengthMs;
    uint32_t m_bufferBytes;
    HWAVEIN m_device = nullptr;
    WAVEHDR m_headers[wavein::kBufferCount]{};
    std::unique_ptr<uint8_t[]> m_capture;
    std::unique_ptr<uint8_t[]> m_collection;
    uint32_t m_readCount = 0;
    uint32_t m_lastBlockEndMs = 0;
    std::atomic<uint32_t> m_filledCount{0};
    HANDLE m_dataEvent;
};
