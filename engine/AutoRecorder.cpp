#include "engine/AutoRecorder.h"

#include <algorithm>

#include "engine/AutoRecordSettings.h"

namespace autorec {

namespace {

// The sound that makes a check look for a window ended up to one slice
// before the check: it counts for the window found.
constexpr uint32_t kSliceAllowanceMs = 100;

// Milliseconds from `earlier` to `later` on a clock that wraps around.
int64_t Between(uint32_t earlier, uint32_t later) {
    return static_cast<int32_t>(later - earlier);
}

}  // namespace

void CAutoRecorder::Configure(std::vector<std::string> contacts, int32_t silenceStopSeconds) {
    m_contacts = std::move(contacts);
    m_silenceStopMs = static_cast<uint32_t>(std::max<int32_t>(silenceStopSeconds, 1)) * 1000u;
}

void CAutoRecorder::Hear(uint32_t endMs, uint32_t lengthMs, double levelDbfs) {
    ForgetSoundBefore(endMs);
    if (levelDbfs <= kSoundThresholdDbfs || lengthMs == 0) return;
    // Sound reported twice (two sources for a moment) counts once.
    uint32_t startMs = endMs - lengthMs;
    if (!m_loud.empty() && Between(m_loud.back().endMs, startMs) < 0) startMs = m_loud.back().endMs;
    if (Between(startMs, endMs) > 0) m_loud.push_back({startMs, endMs});
    if (!m_heardAny || Between(m_lastLoudEndMs, endMs) > 0) m_lastLoudEndMs = endMs;
    m_heardAny = true;
}

void CAutoRecorder::ForgetSoundBefore(uint32_t nowMs) {
    while (!m_loud.empty() && Between(m_loud.front().endMs, nowMs) > int64_t{kSoundWindowMs})
        m_loud.pop_front();
}

int64_t CAutoRecorder::LoudMs(uint32_t nowMs, uint32_t sinceMs) const {
    // Loud time inside (now - 3 s, now]; stretches reported a little ahead of
    // `now` (another thread's clock reading) count whole.
    int64_t loud = 0;
    for (const Loud& stretch : m_loud) {
        if (Between(sinceMs, stretch.endMs) <= 0) continue;
        const int64_t start = std::max<int64_t>(-Between(stretch.startMs, nowMs), -int64_t{kSoundWindowMs});
        const int64_t end = -Between(stretch.endMs, nowMs);
        if (end > start) loud += end - start;
    }
    return loud;
}

bool CAutoRecorder::WantsWindow(uint32_t nowMs) const {
    return LoudMs(nowMs, nowMs - kSoundWindowMs) > 0;
}

uint32_t CAutoRecorder::SilentFor(uint32_t nowMs) const {
    const int64_t sinceStart = Between(m_ownStartMs, nowMs);
    const int64_t sinceSound = m_heardAny ? Between(m_lastLoudEndMs, nowMs) : sinceStart;
    return static_cast<uint32_t>(std::max<int64_t>(0, std::min(sinceStart, sinceSound)));
}

bool CAutoRecorder::IsHeldBack(uintptr_t window) const {
    return std::find(m_heldBack.begin(), m_heldBack.end(), window) != m_heldBack.end();
}

Decision CAutoRecorder::Step(const Observation& seen, const IWindowPresence& presence) {
    std::erase_if(m_heldBack, [&](uintptr_t window) { return !presence.Stands(window); });

    if (seen.busy) {
        if (!m_wasBusy) {
            // A recording began: the one asked for at the last step, or the user's.
            m_wasBusy = true;
            m_busyWindow = seen.recordedWindow;
            m_stopAsked = false;
            if (m_own != seen.recordedWindow) m_own = 0;
        }
        if (!m_own || m_stopAsked) return Decision::None;
        if (!presence.Stands(m_own) || SilentFor(seen.nowMs) >= m_silenceStopMs) {
            m_stopAsked = true;
            return Decision::Stop;
        }
        return Decision::None;
    }

    if (m_wasBusy) {
        // A recording ended. Unless this machine stopped it, its window is
        // left alone while it stays.
        if (!m_stopAsked && m_busyWindow && presence.Stands(m_busyWindow) && !IsHeldBack(m_busyWindow))
            m_heldBack.push_back(m_busyWindow);
        m_wasBusy = false;
        m_busyWindow = 0;
        m_stopAsked = false;
    }
    // A start asked for at the last step that did not happen is forgotten.
    m_own = 0;

    if (seen.window != m_candidate) {
        m_candidate = seen.window;
        // The sound that made the check look for it counts.
        m_candidateSinceMs = seen.nowMs - kSliceAllowanceMs;
    }
    if (!seen.window || IsHeldBack(seen.window) || !ContactChosen(m_contacts, seen.contact) ||
        LoudMs(seen.nowMs, m_candidateSinceMs) < int64_t{kSoundNeededMs})
        return Decision::None;
    m_own = seen.window;
    m_ownStartMs = seen.nowMs;
    return Decision::Start;
}

}  // namespace autorec
