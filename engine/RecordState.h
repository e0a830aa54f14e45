// What the user-interface thread and the recording worker share during a
// recording. Handles are kept opaque here so that this record stays free of
// the window system; the Windows code casts them back.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>

#include "engine/AudioRing.h"
#include "engine/RecordFailure.h"
#include "engine/RecordParams.h"
#include "engine/ScreenRect.h"

using NativeWindow = void*;
using NativeCursor = void*;

class CRecordState {
public:
    std::atomic<int32_t> Recording{0};
    std::atomic<int32_t> VideoStarted{0};
    // Time zero of the recording on the multimedia clock (ms); stored before
    // VideoStarted turns 1.
    std::atomic<uint32_t> VideoStartMs{0};
    int32_t CustomRegion = 0;
    ScreenRect CaptureRect{};
    std::atomic<NativeCursor> SavedCursor{nullptr};
    std::string RecordFileName;
    std::string RecordPath;
    int32_t ElapsedSeconds = 0;
    std::string StatusText;
    NativeWindow MainWindow = nullptr;
    // Audio waiting to be written: far end (A) and microphone (B). Filled on
    // the user-interface thread, drained by the worker.
    CAudioRing RingA{engine::kAudioRingBytes};
    CAudioRing RingB{engine::kAudioRingBytes};

    // Rectangle hand-off from the region frame (user-interface thread) to the
    // worker. Only the origin is taken: the recorded size never changes.
    void PublishRect(const ScreenRect& rect);
    // True when a new origin was pending; it then replaces left and top.
    bool TakeRect(int32_t& left, int32_t& top);
    bool RectPending() const { return m_rectPending.load(); }
    // Forgets a position the worker never took (a new recording starts where
    // its own rectangle says).
    void DropPendingRect();

    // The file the worker actually writes (it may have had to pick another
    // name); empty until the worker has chosen it.
    void SetWrittenPath(const std::string& path);
    std::string WrittenPath() const;
    // How the worker's last recording ended; set before its end message.
    void SetOutcome(const RecordOutcome& outcome);
    RecordOutcome Outcome() const;

private:
    mutable std::mutex m_pathLock;
    std::string m_writtenPath;
    RecordOutcome m_outcome;
    std::mutex m_handOff;
    ScreenRect m_pendingRect{};
    std::atomic<bool> m_rectPending{false};
};
