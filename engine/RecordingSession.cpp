#include "engine/RecordingSession.h"

namespace {

class NoRegionFrame final : public IRegionFrame {
public:
    void SetFrame(int32_t, int32_t, int32_t, int32_t) override {}
    void Show(bool) override {}
    void FillBand(uint8_t, uint8_t, uint8_t) override {}
};

class NoStopWindow final : public IStopWindow {
public:
    void ShowBeside(const ScreenRect&) override {}
};

// Stateless, so one of each serves every session.
NoRegionFrame g_noRegionFrame;
NoStopWindow g_noStopWindow;

}  // namespace

RecordingSession::RecordingSession() : m_regionFrame(&g_noRegionFrame), m_stopWindow(&g_noStopWindow) {}

void RecordingSession::SetRegionFrame(IRegionFrame* frame) {
    m_regionFrame = frame ? frame : &g_noRegionFrame;
}

void RecordingSession::SetStopWindow(IStopWindow* window) {
    m_stopWindow = window ? window : &g_noStopWindow;
}

void RecordingSession::BeginRecording(const std::string& fileName, const std::string& path) {
    State.VideoStarted = 0;
    State.VideoStartMs = 0;
    State.RecordFileName = fileName;
    State.RecordPath = path;
    State.SetWrittenPath({});
    State.SetOutcome({});
    State.ElapsedSeconds = 0;
    State.DropPendingRect();
}
