// Records a call's sound through the real wave inputs and the real worker and
// prints how well the audio track keeps to the pictures:
//   callaudio_bench.exe --seconds N --out FILE.avi [--rect LEFT,TOP,WIDTH,HEIGHT]
// Play something into the virtual device and the microphone meanwhile (see
// bench/callaudio_bench.sh). Prints the devices' own rate against the clock
// (their drift), the corrections the track needed, the track's length
// against the video's, and the CPU time the audio path costs.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "bench/BenchFigures.h"
#include "bench/BenchSupport.h"
#include "callenv/CallEnvNames.h"
#include "engine/CallAudioInputs.h"
#include "engine/Messages.h"
#include "engine/RecordThread.h"
#include "engine/RecordingSession.h"
#include "wavein/WaveFormat.h"

namespace {

// What the stand-in main window serves: the inputs' notifications, timed.
struct InputsWindow {
    CCallAudioInputs& inputs;
    double handlerMs = 0;  // time spent in the two notification handlers
};

LRESULT CALLBACK MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* served = reinterpret_cast<InputsWindow*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    if (served && (message == msg::kInputAData || message == msg::kInputBData)) {
        const double start = NowMs();
        LRESULT result = message == msg::kInputAData ? served->inputs.OnInputAData()
                                                     : served->inputs.OnInputBData();
        served->handlerMs += NowMs() - start;
        return result;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

int VirtualInputIndex() {
    const UINT count = ::waveInGetNumDevs();
    for (UINT i = 0; i < count; ++i) {
        WAVEINCAPSA caps{};
        if (::waveInGetDevCapsA(i, &caps, sizeof caps) == MMSYSERR_NOERROR &&
            std::strstr(caps.szPname, callenv::kVirtualDeviceName))
            return static_cast<int>(i);
    }
    return static_cast<int>(count);
}

void PumpFor(double ms) {
    const double until = NowMs() + ms;
    while (NowMs() < until) {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

// How far the device's rate is off the clock, in parts per million, from its
// first delivered sound to its last.
double DevicePpm(const CAudioTrackAligner& track) {
    return track.ClockSpan() > 0
               ? 1e6 * (static_cast<double>(track.Delivered()) / track.ClockSpan() - 1.0)
               : 0.0;
}

void PrintTrack(const char* name, const CAudioTrackAligner& track, double seconds) {
    const double perSecond = wavein::kBytesPerSecond;
    std::printf("%-20s delivered %.3f s; silence %.3f s at the start, %.3f s later; "
                "%.3f s dropped as overlap\n",
                name, track.Delivered() / perSecond, track.LateStartSilence() / perSecond,
                (track.SilenceAdded() - track.LateStartSilence()) / perSecond,
                track.OverlapDropped() / perSecond);
    std::printf("%-20s device %+.1f ppm against the clock; track %.3f s for %.3f s recorded\n", "",
                DevicePpm(track), track.Written() / perSecond, seconds);
}

}  // namespace

int main(int argc, char** argv) {
    double seconds = 0;
    std::string out;
    int left = 100, top = 100, width = 320, height = 240;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--seconds" && i + 1 < argc) seconds = std::atof(argv[++i]);
        else if (a == "--out" && i + 1 < argc) out = argv[++i];
        else if (a == "--rect" && i + 1 < argc &&
                 std::sscanf(argv[++i], "%d,%d,%d,%d", &left, &top, &width, &height) == 4) {}
        else seconds = 0;
    }
    RecordingSession session;
    CRecordState& state = session.State;
    if (seconds <= 0 || out.empty() || !AimRecordingAt(state, out)) {
        std::fprintf(stderr, "usage: callaudio_bench --seconds N --out FILE.avi [--rect L,T,W,H]\n");
        return 2;
    }
    WNDCLASSA wc{};
    wc.lpfnWndProc = MainProc;
    wc.lpszClassName = "CallAudioBench";
    ::RegisterClassA(&wc);
    HWND main = ::CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  nullptr, nullptr);
    CCallAudioInputs inputs(state);
    InputsWindow served{inputs};
    ::SetWindowLongPtrA(main, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&served));
    state.MainWindow = main;
    state.CaptureRect = {left, top, left + width - 1, top + height - 1};
    session.Params.ScreenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    session.Params.ScreenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    RecordStats stats;
    session.Stats = &stats;

    // As the start commands do: the inputs first, then the worker.
    state.VideoStarted = 0;
    inputs.Open(main, VirtualInputIndex());
    const double cpuBefore = ProcessCpuSeconds();
    state.Recording = 1;
    HANDLE worker = ::CreateThread(nullptr, 0, RecordThread, &session, CREATE_SUSPENDED, nullptr);
    ::ResumeThread(worker);
    while (!state.VideoStarted.load()) PumpFor(1);
    const double started = NowMs();
    PumpFor(seconds * 1000.0);
    const double processCpu = ProcessCpuSeconds() - cpuBefore;
    inputs.StopAndCollect();
    const double stopped = NowMs();
    state.Recording = 0;
    ::WaitForSingleObject(worker, INFINITE);
    ::CloseHandle(worker);
    inputs.Close();

    const double recorded = (stopped - started) / 1000.0;
    const double video = stats.positions / static_cast<double>(session.Params.FrameRate);
    const double audio = inputs.TrackA().Written() / static_cast<double>(wavein::kBytesPerSecond);
    const double audioMs = Mean(stats.audioMs) * static_cast<double>(stats.audioMs.size());
    std::printf("recorded             %.2f s, %u video positions (%.3f s)\n", recorded,
                stats.positions, video);
    PrintTrack("far end (ring A)", inputs.TrackA(), recorded);
    PrintTrack("microphone (ring B)", inputs.TrackB(), recorded);
    std::printf("audio track          %.3f s, %+.0f ms against the video\n", audio,
                (audio - video) * 1000.0);
    std::printf("audio chunks         %zu, drain+mix+write mean %.3f ms, p95 %.3f ms\n",
                stats.audioMs.size(), Mean(stats.audioMs), Percentile(stats.audioMs, 0.95));
    std::printf("audio path CPU       %.2f ms per recorded s (handlers %.2f, worker %.2f)\n",
                recorded > 0 ? (served.handlerMs + audioMs) / recorded : 0.0,
                recorded > 0 ? served.handlerMs / recorded : 0.0, recorded > 0 ? audioMs / recorded : 0.0);
    std::printf("recorder CPU         %.3f s per recorded s (video and the window thread included)\n",
                recorded > 0 ? processCpu / recorded : 0.0);
    const CAudioTrackAligner& farEnd = inputs.TrackA();
    std::printf("SUMMARY %.0f s: audio %+.0f ms against video, far-end device %+.1f ppm, "
                "later corrections %.3f s silence / %.3f s dropped, audio path %.2f ms CPU per s%s\n",
                recorded, (audio - video) * 1000.0, DevicePpm(farEnd),
                (farEnd.SilenceAdded() - farEnd.LateStartSilence()) / double(wavein::kBytesPerSecond),
                farEnd.OverlapDropped() / double(wavein::kBytesPerSecond),
                recorded > 0 ? (served.handlerMs + audioMs) / recorded : 0.0,
                stats.failed ? ", FAILED" : "");
    std::fflush(stdout);
    return stats.failed ? 1 : 0;
}
