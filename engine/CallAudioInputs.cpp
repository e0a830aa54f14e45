#include "engine/CallAudioInputs.h"

#include <mmsystem.h>

#include "engine/AudioProducer.h"
#include "engine/Messages.h"
#include "engine/RecordParams.h"
#include "engine/RecordState.h"

CCallAudioInputs::~CCallAudioInputs() {
    Close();
}

void CCallAudioInputs::Destroy(std::unique_ptr<CWaveIn>& input) {
    if (!input) return;
    input->Stop();
    input->Open(nullptr);
    input.reset();
}

void CCallAudioInputs::Open(HWND window, int virtualDevice, const std::string& defaultDevice) {
    Destroy(m_inputA);
    ClearRing(m_state.RingA);
    m_trackA.Reset();
    m_inputA = std::make_unique<CWaveIn>(engine::kAudioSourceBufferMs);
    m_inputA->SetNotify(window, msg::kInputAData);
    m_inputA->Open(std::to_string(virtualDevice).c_str());
    m_inputA->Start();

    Destroy(m_inputB);
    ClearRing(m_state.RingB);
    m_trackB.Reset();
    m_inputB = std::make_unique<CWaveIn>(engine::kAudioSourceBufferMs);
    m_inputB->SetNotify(window, msg::kInputBData);
    m_inputB->Open(defaultDevice.c_str());
    m_inputB->Start();
}

LRESULT CCallAudioInputs::Deliver(CWaveIn* input, CWaveBlock& block, CAudioTrackAligner& track,
                                  CAudioRing& ring) {
    if (!input) return 0;
    if (!input->ReadInput(&block) || block.DataLength() < 1) return 0;
    // Taken from the device either way; before the first frame it is dropped.
    track.Accept(ring, block.Data(), block.DataLength(), m_state.VideoStarted.load() == 1,
                 m_state.VideoStartMs.load(), input->LastBlockEndMs());
    return 1;
}

LRESULT CCallAudioInputs::OnInputAData() {
    return Deliver(m_inputA.get(), m_blockA, m_trackA, m_state.RingA);
}

LRESULT CCallAudioInputs::OnInputBData() {
    return Deliver(m_inputB.get(), m_blockB, m_trackB, m_state.RingB);
}

void CCallAudioInputs::StopAndCollect() {
    for (CWaveIn* input : {m_inputA.get(), m_inputB.get()}) {
        // Stopping returns the buffer being filled; its completion arrives
        // on the device's thread and signals the input's event.
        if (input && input->IsOpen()) {
            ::ResetEvent(input->DataEvent());
            if (input->Stop()) ::WaitForSingleObject(input->DataEvent(), 200);
        }
    }
    while (OnInputAData()) {
    }
    while (OnInputBData()) {
    }
    // The pictures go on until the worker is told to end, right after this.
    const bool started = m_state.VideoStarted.load() == 1;
    const uint32_t videoStart = m_state.VideoStartMs.load();
    const uint32_t now = ::timeGetTime();
    m_trackA.FinishAt(m_state.RingA, started, videoStart, now);
    m_trackB.FinishAt(m_state.RingB, started, videoStart, now);
}

void CCallAudioInputs::Close() {
    Destroy(m_inputA);
    Destroy(m_inputB);
}
