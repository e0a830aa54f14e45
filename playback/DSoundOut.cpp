#include "playback/DSoundOut.h"

#include <algorithm>
#include <cstring>

namespace {
// How long a lost buffer is given to come back before a segment is skipped.
constexpr int kRestoreAttempts = 100;
constexpr DWORD kRestoreWaitMs = 10;
}  // namespace

void CDSoundOut::Clear() {
    m_buffer.Reset();
    m_sound.Reset();
    m_bufferSize = 0;
    m_segmentCount = 0;
    m_segmentSize = 0;
    std::memset(&m_format, 0, sizeof m_format);
    m_segmentsPerSecond = 0;
    std::memset(m_notify, 0, sizeof m_notify);
}

int CDSoundOut::Create(HWND owner, HANDLE notifyEvent, int sampleRate, int segmentsPerSecond,
                       int channels) {
    Release();
    if (sampleRate <= 0 || segmentsPerSecond <= 0 || (channels != 1 && channels != 2)) return 0;
    const DWORD segmentSamples = static_cast<DWORD>(sampleRate / segmentsPerSecond);
    if (segmentSamples == 0) return 0;

    if (FAILED(::DirectSoundCreate(nullptr, &m_sound, nullptr)) ||
        FAILED(m_sound->SetCooperativeLevel(owner, DSSCL_PRIORITY))) {
        Release();
        return 0;
    }
    m_format.wFormatTag = WAVE_FORMAT_PCM;
    m_format.nChannels = static_cast<WORD>(channels);
    m_format.nSamplesPerSec = static_cast<DWORD>(sampleRate);
    m_format.wBitsPerSample = 16;
    m_format.nBlockAlign = static_cast<WORD>(channels * 2);
    m_format.nAvgBytesPerSec = m_format.nSamplesPerSec * m_format.nBlockAlign;
    m_format.cbSize = 0;

    DSBUFFERDESC primaryDesc{};
    primaryDesc.dwSize = sizeof primaryDesc;
    primaryDesc.dwFlags = DSBCAPS_PRIMARYBUFFER;
    Microsoft::WRL::ComPtr<IDirectSoundBuffer> primary;
    if (SUCCEEDED(m_sound->CreateSoundBuffer(&primaryDesc, &primary, nullptr)))
        primary->SetFormat(&m_format);  // the device may keep its own; mixing copes
    primary.Reset();

    m_segmentsPerSecond = segmentsPerSecond;
    m_segmentCount = kSegmentCount;
    m_segmentSize = segmentSamples * m_format.nBlockAlign;
    m_bufferSize = m_segmentSize * kSegmentCount;

    DSBUFFERDESC desc{};
    desc.dwSize = sizeof desc;
    desc.dwFlags = DSBCAPS_GETCURRENTPOSITION2 | DSBCAPS_GLOBALFOCUS | DSBCAPS_CTRLPOSITIONNOTIFY;
    desc.dwBufferBytes = m_bufferSize;
    desc.lpwfxFormat = &m_format;
    if (FAILED(m_sound->CreateSoundBuffer(&desc, &m_buffer, nullptr))) {
        Release();
        return 0;
    }
    if (notifyEvent) {
        Microsoft::WRL::ComPtr<IDirectSoundNotify> notify;
        for (int k = 0; k < kSegmentCount; ++k) {
            m_notify[k].dwOffset = (k + 1) * m_segmentSize - 1;
            m_notify[k].hEventNotify = notifyEvent;
        }
        if (FAILED(m_buffer->QueryInterface(IID_IDirectSoundNotify,
                                             reinterpret_cast<void**>(notify.GetAddressOf()))) ||
            FAILED(notify->SetNotificationPositions(kSegmentCount, m_notify))) {
            Release();
            return 0;
        }
    }
    m_buffer->SetCurrentPosition(0);
    return 1;
}

int CDSoundOut::Start() {
    return m_buffer && SUCCEEDED(m_buffer->Play(0, 0, DSBPLAY_LOOPING)) ? 1 : 0;
}

bool CDSoundOut::RestoreIfLost() {
    DWORD status = 0;
    if (FAILED(m_buffer->GetStatus(&status))) return false;
    if (!(status & DSBSTATUS_BUFFERLOST)) return true;
    for (int attempt = 0; attempt < kRestoreAttempts; ++attempt) {
        const HRESULT hr = m_buffer->Restore();
        if (hr != DSERR_BUFFERLOST) return SUCCEEDED(hr);
        ::Sleep(kRestoreWaitMs);
    }
    return false;
}

void CDSoundOut::WriteSegment(const void* samples, int index) {
    if (!m_buffer || !samples || index < 0 || index >= m_segmentCount) return;
    if (!RestoreIfLost()) return;
    void* first = nullptr;
    void* second = nullptr;
    DWORD firstBytes = 0, secondBytes = 0;
    if (FAILED(m_buffer->Lock(index * m_segmentSize, m_segmentSize, &first, &firstBytes, &second,
                              &secondBytes, 0)))
        return;
    std::memcpy(first, samples, std::min(firstBytes, m_segmentSize));
    m_buffer->Unlock(first, firstBytes, second, secondBytes);
}

DWORD CDSoundOut::PlayPosition() {
    DWORD play = 0, write = 0;
    if (!m_buffer || FAILED(m_buffer->GetCurrentPosition(&play, &write))) return 0;
    return play;
}

void CDSoundOut::Release() {
    if (m_buffer) m_buffer->Stop();
    m_buffer.Reset();
    m_sound.Reset();
}
