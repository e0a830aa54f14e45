// The DirectSound streaming buffer of the previews: a looping PCM buffer of
// four equal segments that signals one event each time the play cursor
// passes the last byte of a segment. With one video frame period of sound
// per segment, the event paces the pictures.
#pragma once

#include <windows.h>
#include <mmsystem.h>
#include <dsound.h>
#include <wrl/client.h>

#include <cstdint>

class CDSoundOut {
public:
    static constexpr int kSegmentCount = 4;

    CDSoundOut() { Clear(); }
    ~CDSoundOut() { Release(); }
    CDSoundOut(const CDSoundOut&) = delete;
    CDSoundOut& operator=(const CDSoundOut&) = delete;

    void Clear();
    // 16-bit PCM of `channels` (1 or 2) at `sampleRate`; one segment holds
    // 1 / segmentsPerSecond of a second. `notifyEvent` may be null. 1 on
    // success, 0 on any failure.
    int Create(HWND owner, HANDLE notifyEvent, int sampleRate, int segmentsPerSecond, int channels);
    // Plays from the current position, looping. 1 on success, 0 otherwise.
    int Start();
    // Copies one segment's worth of `samples` into segment `index` (0..3).
    void WriteSegment(const void* samples, int index);
    // The play cursor in bytes.
    DWORD PlayPosition();
    void Release();

    DWORD BufferSize() const { return m_bufferSize; }
    DWORD SegmentSize() const { return m_segmentSize; }
    int SegmentsPerSecond() const { return m_segmentsPerSecond; }
    // Where the segment ends were registered (valid after a Create with an event).
    const DSBPOSITIONNOTIFY* NotifyPositions() const { return m_notify; }

private:
    bool RestoreIfLost();

    Microsoft::WRL::ComPtr<IDirectSound> m_sound;
    Microsoft::WRL::ComPtr<IDirectSoundBuffer> m_buffer;
    DWORD m_bufferSize;
    int m_segmentCount;
    DWORD m_segmentSize;
    WAVEFORMATEX m_format;
    int m_segmentsPerSecond;
    DSBPOSITIONNOTIFY m_notify[kSegmentCount];
};
