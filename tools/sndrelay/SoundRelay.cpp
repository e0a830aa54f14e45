#include "tools/sndrelay/SoundRelay.h"

#include <algorithm>
#include <cmath>

#include "framework/PrivateMessages.h"

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
    m_outputBlocks.resize(m_settings.outputBlocks);
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
    m_framesWritten = 0;
    return ::waveInStart(m_in) == MMSYSERR_NOERROR;
}

void CSoundRelay::Run() {
    while (!m_stop) {
        ::WaitForSingleObject(m_inputEvent, 50);
        ForwardCompletedInput();
    }
}

CSoundRelay::Block* CSoundRelay::FreeOutputBlock() {
    for (Block& block : m_outputBlocks)
        if (block.header.dwFlags & WHDR_DONE) return &block;
    return nullptr;
}

uint64_t CSoundRelay::PendingFrames() {
    // The output's own buffer takes blocks long before they play, so the
    // blocks' done flags say nothing about the delay; the play position does.
    MMTIME played{};
    played.wType = TIME_SAMPLES;
    if (::waveOutGetPosition(m_out, &played, sizeof played) != MMSYSERR_NOERROR ||
        played.wType != TIME_SAMPLES)
        return 0;
    const uint64_t done = played.u.sample;
    return m_framesWritten > done ? m_framesWritten - done : 0;
}

void CSoundRelay::ForwardCompletedInput() {
    // Input blocks complete in the order they were queued. One round at most,
    // so a device that completes blocks at once cannot hold up a stop.
    for (std::size_t round = 0; round < m_inputBlocks.size() && !m_stop; ++round) {
        Block& in = m_inputBlocks[m_nextInput];
        if (!(in.header.dwFlags & WHDR_DONE)) return;
        // More than the allowed delay waiting to play means the output runs
        // behind the input: drop this block rather than let the delay grow.
        const uint64_t maxPending = 48ull * m_settings.maxPendingMs;
        Block* out = in.header.dwBytesRecorded > 0 ? FreeOutputBlock() : nullptr;
        if (out && PendingFrames() + in.header.dwBytesRecorded / 4 <= maxPending) {
            std::copy_n(in.data.data(), in.header.dwBytesRecorded, out->data.data());
            out->header.dwBufferLength = in.header.dwBytesRecorded;
            out->header.dwFlags &= ~WHDR_DONE;
            if (::waveOutWrite(m_out, &out->header, sizeof out->header) == MMSYSERR_NOERROR)
                m_framesWritten += in.header.dwBytesRecorded / 4;
        }
        ReportLevels(in);
        in.header.dwFlags &= ~WHDR_DONE;
        in.header.dwBytesRecorded = 0;
        ::waveInAddBuffer(m_in, &in.header, sizeof in.header);
        m_nextInput = (m_nextInput + 1) % m_inputBlocks.size();
    }
}

void CSoundRelay::ReportLevels(const Block& in) {
    HWND to = m_levelsTo.load();
    if (!to || in.header.dwBytesRecorded == 0) return;
    const auto* pcm = reinterpret_cast<const uint8_t*>(in.data.data());
    for (const engine::SoundSlice& slice : m_meter.Add(pcm, in.header.dwBytesRecorded, ::timeGetTime())) {
        const auto hundredths = static_cast<long>(std::lround(slice.levelDbfs * 100));
        // A window that is gone takes no more reports.
        if (!::PostMessageA(to, msg::kFarEndLevelReport, static_cast<WPARAM>(hundredths),
                            static_cast<LPARAM>(slice.endMs)))
            m_levelsTo.compare_exchange_strong(to, nullptr);
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
