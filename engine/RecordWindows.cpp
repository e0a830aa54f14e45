#include "engine/RecordWindows.h"

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

NoRegionFrame g_noRegionFrame;
NoStopWindow g_noStopWindow;
IRegionFrame* g_regionFrame = &g_noRegionFrame;
IStopWindow* g_stopWindow = &g_noStopWindow;

}  // namespace

IRegionFrame& RegionFrame() {
    return *g_regionFrame;
}

IStopWindow& StopWindow() {
    return *g_stopWindow;
}

void SetRegionFrame(IRegionFrame* frame) {
    g_regionFrame = frame ? frame : &g_noRegionFrame;
}

void SetStopWindow(IStopWindow* window) {
    g_stopWindow = window ? window : &g_noStopWindow;
}
