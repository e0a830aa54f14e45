#include "tools/sndrelay/SoundRelay.h"

#include <algorithm>

namespace {

WAVEFORMATEX CallFormat() {
    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 2;
    format.nSamplesPerSec = 48000;
    format.wBitsPerSample = 16;
    format.nBlockAlign = 4;
    format.nAvgBytesPerSec = 192000;
    return format;
}

}  // namespace

bool CSoundRelay::Start(const Settings& settings) {
    Stop();
    m_settings = settings;
    if (!OpenDevices()) {
        CloseDevices();
        return false;
    }
    m_stop = false;
    m_thread = std::thread([this] { Run(); });
    return true;
}

void CSoundRelay::Stop() {
    if (!m_thread.joinable()) return;
    m_stop = true;
    ::SetEvent(m_inputEvent);
    m_thread.join();
    CloseDevices();
}

bool CSoundRelay::OpenDevices() {
    const WAVEFORMATEX format = CallFormat();
    const std::size_t blockBytes = format.nAvgBytesPerSec / 1000 * m_settings.blockMs;
    m_inputEvent = ::CreateEventA(nullptr, FALSE, FALSE, nullptr);
    if (!m_inputEvent) return false;
    if (::waveOutOpen(&m_out, m_settings.outputDevice, &format, 0, 0, CALLBACK_NULL) !=
        MMSYSERR_NOERROR) {
        m_out = nullptr;
        return false;
    }
    if (::waveInOpen(&m_in, m_settings.inputDevice, &format,
                     reinterpret_cast<DWORD_PTR>(m_inputEvent), 0,
                     CALLBACK_EVENT) != MMSYSERR_NOERROR) {
        m_in = nullptr;
        return false;
    }
    // Room for the queue limit plus the blocks still marked as playing.
    m_outputBlocks.resize(m_settings.maxQueuedOutput + 2);
    for (Block& block : m_outputBlocks) {
        block.data.assign(blockBytes, 0);
        block.header.lpData = block.data.data();
        block.header.dwBufferLength = static_cast<DWORD>(blockBytes);
        ::waveOutPrepareHeader(m_out, &block.header, sizeof block.header);
        block.header.dwFlags |= WHDR_DONE;  // free until first written
    }
    m_inputBlocks.resize(m_settings.inputBlocks);
    for (Block& block : m_inputBlocks) {
        block.data.assign(blockBytes, 0);
        block.header.lpData = block.data.data();
        block.header.dwBufferLength = static_cast<DWORD>(blockBytes);
        ::waveInPrepareHeader(m_in, &block.header, sizeof block.header);
        ::waveInAddBuffer(m_in, &block.header, sizeof block.header);
    }
    m_nextInput = 0;
    return ::waveInStart(m_in) == MMSYSERR_NOERROR;
}

void CSoundRelay::Run() {
    while (!m_stop) {
        ::WaitForSingleObject(m_inputEvent, 50);
        ForwardCompletedInput();
    }
}

CSoundRelay::Block* CSoundRelay::FreeOutputBlock(unsigned& queued) {
    Block* free = nullptr;
    queued = 0;
    for (Block& block : m_outputBlocks) {
        if (block.header.dwFlags & WHDR_DONE)
            free = free ? free : &block;
        else
            ++queued;
    }
    return free;
}

void CSoundRelay::ForwardCompletedInput() {
    // Input blocks complete in the order they were queued.
    for (;;) {
        Block& in = m_inputBlocks[m_nextInput];
        if (!(in.header.dwFlags & WHDR_DONE)) return;
        unsigned queued = 0;
        Block* out = FreeOutputBlock(queued);
        // A full output queue means the output runs slower than the input:
        // drop this block rather than let the delay grow.
        if (out && queued < m_settings.maxQueuedOutput && in.header.dwBytesRecorded > 0) {
            std::copy_n(in.data.data(), in.header.dwBytesRecorded, out->data.data());
            out->header.dwBufferLength = in.header.dwBytesRecorded;
            out->header.dwFlags &= ~WHDR_DONE;
            ::waveOutWrite(m_out, &out->header, sizeof out->header);
        }
        in.header.dwFlags &= ~WHDR_DONE;
        in.header.dwBytesRecorded = 0;
        ::waveInAddBuffer(m_in, &in.header, sizeof in.header);
        m_nextInput = (m_nextInput + 1) % m_inputBlocks.size();
    }
}

void CSoundRelay::CloseDevices() {
    if (m_in) {
        ::waveInReset(m_in);
        for (Block& block : m_inputBlocks)
            ::waveInUnprepareHeader(m_in, &block.header, sizeof block.header);
        ::waveInClose(m_in);
        m_in = nullptr;
    }
    if (m_out) {
        ::waveOutReset(m_out);
        for (Block& block : m_outputBlocks)
            ::waveOutUnprepareHeader(m_out, &block.header, sizeof block.header);
        ::waveOutClose(m_out);
        m_out = nullptr;
    }
    m_inputBlocks.clear();
    m_outputBlocks.clear();
    if (m_inputEvent) ::CloseHandle(m_inputEvent);
    m_inputEvent = nullptr;
}
