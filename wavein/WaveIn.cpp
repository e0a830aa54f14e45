#include "wavein/WaveIn.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

CWaveIn::CWaveIn(int32_t bufferLengthMs)
    : m_bufferLengthMs(bufferLengthMs),
      m_bufferBytes(wavein::BufferBytesFor(bufferLengthMs)),
      m_dataEvent(::CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
    m_format.wFormatTag = WAVE_FORMAT_PCM;
    m_format.nChannels = wavein::kChannels;
    m_format.nSamplesPerSec = wavein::kSampleRate;
    m_format.nBlockAlign = wavein::kBlockAlign;
    m_format.nAvgBytesPerSec = wavein::kBytesPerSecond;
    m_format.wBitsPerSample = wavein::kBitsPerSample;
    m_format.cbSize = 0;
}

CWaveIn::~CWaveIn() {
    Open(nullptr);
    if (m_dataEvent) ::CloseHandle(m_dataEvent);
}

bool CWaveIn::SetNotify(HWND window, UINT message) {
    m_notifyWindow = window;
    m_notifyMessage = message;
    return true;
}

bool CWaveIn::Start() {
    return m_device && ::waveInStart(m_device) == MMSYSERR_NOERROR;
}

bool CWaveIn::Stop() {
    return m_device && ::waveInStop(m_device) == MMSYSERR_NOERROR;
}

void CWaveIn::Close() {
    if (m_device) {
        // Reset first: queued buffers cannot be unprepared, and the device
        // cannot be closed while it still holds them.
        ::waveInReset(m_device);
        for (WAVEHDR& header : m_headers)
            if (header.dwFlags & WHDR_PREPARED)
                ::waveInUnprepareHeader(m_device, &header, sizeof header);
        ::waveInClose(m_device);
        m_device = nullptr;
    }
    std::memset(m_headers, 0, sizeof m_headers);
    m_capture.reset();
    m_collection.reset();
}

bool CWaveIn::Queue(WAVEHDR& header) {
    return ::waveInPrepareHeader(m_device, &header, sizeof header) == MMSYSERR_NOERROR &&
           ::waveInAddBuffer(m_device, &header, sizeof header) == MMSYSERR_NOERROR;
}

bool CWaveIn::Open(const char* deviceText) {
    Close();
    ::ResetEvent(m_dataEvent);
    m_readCount = 0;
    m_filledCount = 0;
    if (m_bufferBytes == 0 || m_bufferLengthMs == 0) return false;
    if (!deviceText) return true;

    UINT deviceId = static_cast<UINT>(std::atoi(deviceText));  // -1 is WAVE_MAPPER
    if (::waveInOpen(nullptr, deviceId, &m_format, 0, 0, WAVE_FORMAT_QUERY) != MMSYSERR_NOERROR)
        return false;

    m_capture.reset(new (std::nothrow) uint8_t[size_t{m_bufferBytes} * wavein::kBufferCount]());
    m_collection.reset(new (std::nothrow) uint8_t[size_t{m_bufferBytes} * wavein::kQueuedBuffers]);
    if (!m_capture || !m_collection) {
        Close();
        return false;
    }
    HWAVEIN device = nullptr;
    if (::waveInOpen(&device, deviceId, &m_format, reinterpret_cast<DWORD_PTR>(&CWaveIn::Callback),
                     reinterpret_cast<DWORD_PTR>(this), CALLBACK_FUNCTION) != MMSYSERR_NOERROR) {
        Close();
        return false;
    }
    m_device = device;
    for (uint32_t i = 0; i < wavein::kBufferCount; ++i) {
        m_headers[i].lpData = reinterpret_cast<LPSTR>(m_capture.get() + i * m_bufferBytes);
        m_headers[i].dwBufferLength = m_bufferBytes;
        m_headers[i].dwFlags = 0;
    }
    // Four buffers queued; the fifth is the spare that a read puts back.
    for (uint32_t i = 0; i < wavein::kQueuedBuffers; ++i) {
        if (!Queue(m_headers[i])) {
            Close();
            return false;
        }
    }
    ::ResetEvent(m_dataEvent);
    m_readCount = 0;
    m_filledCount = 0;
    return true;
}

void CALLBACK CWaveIn::Callback(HWAVEIN, UINT message, DWORD_PTR instance, DWORD_PTR header,
                                DWORD_PTR) {
    if (message != WIM_DATA) return;
    auto* self = reinterpret_cast<CWaveIn*>(instance);
    // When the buffer's audio ends; lets the reader place it in time.
    if (header) reinterpret_cast<WAVEHDR*>(header)->dwUser = ::timeGetTime();
    self->m_filledCount.fetch_add(1);
    if (self->m_notifyWindow && self->m_notifyMessage)
        ::PostMessageA(self->m_notifyWindow, self->m_notifyMessage, 0, 0);
    ::SetEvent(self->m_dataEvent);
}

bool CWaveIn::ReadInput(CWaveBlock* block) {
    if (!block || !m_device) return false;
    uint32_t end = m_filledCount.load();
    if (end == m_readCount) return false;
    ::ResetEvent(m_dataEvent);
    // No more than four buffers can be complete at once: only four are queued.
    if (end - m_readCount > wavein::kQueuedBuffers) end = m_readCount + wavein::kQueuedBuffers;

    // A buffer returned early (the device was stopped) holds fewer recorded
    // bytes than its length; only those are audio.
    uint32_t length = 0;
    for (uint32_t i = m_readCount; i != end; ++i) {
        WAVEHDR& done = Header(i);
        if (::waveInUnprepareHeader(m_device, &done, sizeof done) != MMSYSERR_NOERROR) return false;
        const uint32_t recorded = std::min<uint32_t>(done.dwBytesRecorded, m_bufferBytes);
        std::memcpy(m_collection.get() + length, done.lpData, recorded);
        length += recorded;
        m_lastBlockEndMs = static_cast<uint32_t>(done.dwUser);
        // Requeue the buffer consumed before this one (the spare, at first).
        WAVEHDR& next = Header(i + wavein::kQueuedBuffers);
        next.dwFlags = 0;
        next.dwBytesRecorded = 0;
        next.dwUser = 0;
        Queue(next);
    }
    block->SetSampleRate(wavein::kSampleRate);
    block->SetBitsPerSample(wavein::kBitsPerSample);
    block->SetSampleCount(static_cast<int32_t>(length / 2));
    std::memcpy(block->Data(), m_collection.get(), length);
    m_readCount = end;
    return true;
}
