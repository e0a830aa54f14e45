// When a call is recorded without a click, and when that recording ends.
//
// A call has started when the conversation window that Record call would
// record is there, its contact is one of those chosen, and the far end has
// been heard (above -50 dBFS) for 2 s of the last 3 s since that window was
// first seen (the end of the last call's sound is not a new chat's). The
// recording this starts ends when its window closes or is hidden, or when the
// far end has been silent for the chosen time. A recording that ended some other way
// (stopped by hand, or failed) is not started again for its window until that
// window has closed. Recordings the user started are left to the user.
//
// The machine is fed what the program sees, with the time: the far end's
// sound as it arrives, and at each check the window, its contact and whether
// a recording runs. No window system here: windows are opaque numbers, and
// whether one still stands is asked through IWindowPresence.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace autorec {

constexpr double kSoundThresholdDbfs = -50.0;
constexpr uint32_t kSoundWindowMs = 3000;
constexpr uint32_t kSoundNeededMs = 2000;

// Whether a window the machine remembers still exists and is visible.
class IWindowPresence {
public:
    virtual ~IWindowPresence() = default;
    virtual bool Stands(uintptr_t window) const = 0;
};

// What the program sees at one check.
struct Observation {
    uint32_t nowMs = 0;
    // The conversation window Record call would record now (0: none) and the
    // contact cut from its title. Only looked at while no recording runs.
    uintptr_t window = 0;
    std::string contact;
    // A recording runs, is being started or is still being closed.
    bool busy = false;
    // The conversation window that recording records (0: none, a region).
    uintptr_t recordedWindow = 0;
};

enum class Decision {
    None,
    Start,  // record the observed window as Record call does
    Stop,   // stop the recording as F9 does
};

class CAutoRecorder {
public:
    void Configure(std::vector<std::string> contacts, int32_t silenceStopSeconds);

    // A stretch of far-end sound `lengthMs` long that ended at `endMs`.
    void Hear(uint32_t endMs, uint32_t lengthMs, double levelDbfs);
    // Whether the far end was heard in the last 3 s: until then a check need
    // not look for a window, as nothing can start.
    bool WantsWindow(uint32_t nowMs) const;

    Decision Step(const Observation& seen, const IWindowPresence& presence);

    // The window of the recording this machine started, while it runs.
    uintptr_t OwnRecording() const { return m_own; }
    // Windows whose recording ended without the machine, until they close.
    const std::vector<uintptr_t>& HeldBack() const { return m_heldBack; }

private:
    struct Loud {
        uint32_t startMs;
        uint32_t endMs;
    };
    void ForgetSoundBefore(uint32_t nowMs);
    // Loud time of the last 3 s in the stretches that ended after `sinceMs`.
    int64_t LoudMs(uint32_t nowMs, uint32_t sinceMs) const;
    uint32_t SilentFor(uint32_t nowMs) const;
    bool IsHeldBack(uintptr_t window) const;

    std::vector<std::string> m_contacts;
    uint32_t m_silenceStopMs = 60'000;

    std::deque<Loud> m_loud;  // the last few seconds' loud stretches, oldest first
    bool m_heardAny = false;
    uint32_t m_lastLoudEndMs = 0;

    uintptr_t m_candidate = 0;  // the window seen at the last check
    uint32_t m_candidateSinceMs = 0;

    bool m_wasBusy = false;
    uintptr_t m_busyWindow = 0;  // the window of the recording that runs
    uintptr_t m_own = 0;         // set while a recording this machine started runs
    uint32_t m_ownStartMs = 0;
    bool m_stopAsked = false;
    std::vector<uintptr_t> m_heldBack;
};

}  // namespace autorec
