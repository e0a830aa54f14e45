// The two wave inputs of a call recording and what they deliver: input A on
// the virtual device (the far end) into ring A, input B on the default input
// (the microphone) into ring B of the recording's state. Owned by the
// recording controller; every call comes from the window thread.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "engine/AudioProducer.h"
#include "wavein/WaveBlock.h"
#include "wavein/WaveIn.h"

class CRecordState;

class CCallAudioInputs {
public:
    // Fills the rings of `state`, and drops what arrives before its time zero.
    explicit CCallAudioInputs(CRecordState& state) : m_state(state) {}
    ~CCallAudioInputs();
    CCallAudioInputs(const CCallAudioInputs&) = delete;
    CCallAudioInputs& operator=(const CCallAudioInputs&) = delete;

    // Replaces both inputs with fresh ones on empty rings and starts them:
    // A on wave input `virtualDevice` (decimal text; one past the last device
    // when the virtual device is absent, which simply fails to open), B on
    // `defaultDevice` ("-1", the system's default input). Both notify
    // `window` with msg::kInputAData / msg::kInputBData.
    void Open(HWND window, int virtualDevice, const std::string& defaultDevice = "-1");

    // The notification handlers: 1 when data was taken from the input, else 0.
    LRESULT OnInputAData();
    LRESULT OnInputBData();

    // Stops both inputs and takes what they recorded up to now, the buffer
    // they were filling included, before the worker is told to end.
    void StopAndCollect();

    // Stops, closes and destroys both inputs.
    void Close();

    // What each track received and how it was kept on the clock.
    const CAudioTrackAligner& TrackA() const { return m_trackA; }
    const CAudioTrackAligner& TrackB() const { return m_trackB; }

    bool HasInputA() const { return m_inputA != nullptr; }
    bool HasInputB() const { return m_inputB != nullptr; }

private:
    LRESULT Deliver(CWaveIn* input, CWaveBlock& block, CAudioTrackAligner& track, CAudioRing& ring);
    static void Destroy(std::unique_ptr<CWaveIn>& input);

    CRecordState& m_state;
    std::unique_ptr<CWaveIn> m_inputA;
    std::unique_ptr<CWaveIn> m_inputB;
    CWaveBlock m_blockA;
    CWaveBlock m_blockB;
    CAudioTrackAligner m_trackA;
    CAudioTrackAligner m_trackB;
};
