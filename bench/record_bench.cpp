// Records a screen rectangle through the real recording worker and prints
// how well it kept up:
//   record_bench.exe --rect LEFT,TOP,WIDTH,HEIGHT --seconds N --out FILE.avi
//                    [--still]
// Unless --still is given, a second process shows a moving picture over the
// rectangle first, so that the encoder has a changing picture to work on. The
// cursor watcher (mousetap.dll from the program folder) reports the cursor
// as it does for the recorder.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "bench/BenchFigures.h"
#include "bench/BenchSupport.h"
#include "bench/MovingPattern.h"
#include "engine/Messages.h"
#include "engine/OutputPath.h"
#include "framework/ProgramFolder.h"
#include "engine/RecordThread.h"
#include "engine/RecordingSession.h"
#include "tools/mousetap/mousetap.h"

namespace {

struct Options {
    int left = 0, top = 0, width = 0, height = 0;
    double seconds = 0;
    std::string out;
    bool still = false;
};

bool ParseRect(const char* text, Options& o) {
    return std::sscanf(text, "%d,%d,%d,%d", &o.left, &o.top, &o.width, &o.height) == 4 &&
           o.width > 0 && o.height > 0;
}

bool Parse(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--rect" && i + 1 < argc) {
            if (!ParseRect(argv[++i], o)) return false;
        } else if (a == "--seconds" && i + 1 < argc) {
            o.seconds = std::atof(argv[++i]);
        } else if (a == "--out" && i + 1 < argc) {
            o.out = argv[++i];
        } else if (a == "--still") {
            o.still = true;
        } else {
            return false;
        }
    }
    return o.width > 0 && o.seconds > 0 && !o.out.empty();
}

// Starts this program again as the moving picture over the rectangle.
PROCESS_INFORMATION StartPattern(const Options& o) {
    char self[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    char line[MAX_PATH + 64];
    std::snprintf(line, sizeof line, "\"%s\" --pattern %d,%d,%d,%d", self, o.left, o.top, o.width,
                  o.height);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessA(nullptr, line, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        std::fprintf(stderr, "could not start the moving picture\n");
    return pi;
}

// The cursor watcher of the program folder, reporting to `window`.
HMODULE WatchCursor(HWND window) {
    HMODULE tap = ::LoadLibraryA((fw::ProgramFolder() + "\\..\\bin\\mousetap.dll").c_str());
    auto install = tap ? reinterpret_cast<InstallMyHookFn>(
                             reinterpret_cast<void*>(::GetProcAddress(tap, "InstallMyHook")))
                       : nullptr;
    if (!install || !install(window, WM_USER_SAVECURSOR_MSG))
        std::fprintf(stderr, "no cursor watcher: the cursor is not drawn\n");
    return tap;
}

void PumpMessages(CRecordState& state) {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, WM_USER_SAVECURSOR_MSG, WM_USER_SAVECURSOR_MSG, PM_REMOVE))
        state.SavedCursor = reinterpret_cast<NativeCursor>(msg.wParam);
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    if (argc == 3 && std::strcmp(argv[1], "--pattern") == 0 && ParseRect(argv[2], o))
        return RunMovingPattern(o.left, o.top, o.width, o.height);
    if (!Parse(argc, argv, o)) {
        std::fprintf(stderr,
                     "usage: record_bench --rect LEFT,TOP,WIDTH,HEIGHT --seconds N --out FILE.avi "
                     "[--still]\n");
        return 2;
    }
    RecordingSession session;
    CRecordState& state = session.State;
    if (!AimRecordingAt(state, o.out)) {
        std::fprintf(stderr, "cannot use %s\n", o.out.c_str());
        return 2;
    }
    PROCESS_INFORMATION pattern{};
    if (!o.still) {
        pattern = StartPattern(o);
        ::Sleep(1500);  // let it appear and paint
    }

    HWND main = ::CreateWindowExA(0, "STATIC", "record_bench", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  nullptr, nullptr);
    state.MainWindow = main;
    HMODULE tap = WatchCursor(main);
    ::SetCursorPos(o.left + o.width / 2, o.top + o.height / 2);
    state.CaptureRect = {o.left, o.top, o.left + o.width - 1, o.top + o.height - 1};
    session.Params.ScreenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    session.Params.ScreenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    RecordStats stats;
    session.Stats = &stats;

    const double cpuBefore = ProcessCpuSeconds();
    state.Recording = 1;
    HANDLE worker = ::CreateThread(nullptr, 0, RecordThread, &session, CREATE_SUSPENDED, nullptr);
    ::ResumeThread(worker);
    while (!state.VideoStarted.load()) ::Sleep(1);
    const double started = NowMs();
    while (NowMs() - started < o.seconds * 1000.0) {
        PumpMessages(state);
        ::Sleep(10);
    }
    // Thread times are read while the worker still runs: Wine may not keep
    // them once it has ended.
    const double workerCpu = ThreadCpuSeconds(worker);
    const double processCpu = ProcessCpuSeconds() - cpuBefore;
    const double stopped = NowMs();
    state.Recording = 0;
    ::WaitForSingleObject(worker, INFINITE);
    const double closed = NowMs();
    ::CloseHandle(worker);

    MSG msg;
    bool interrupted = false, ended = false;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_USER_GENERIC_MSG) ended = true;
        if (msg.message == WM_USER_RECORDINTERRUPTED_MSG) interrupted = true;
    }
    if (auto uninstall = tap ? reinterpret_cast<UninstallMyHookFn>(reinterpret_cast<void*>(
                                   ::GetProcAddress(tap, "UninstallMyHook")))
                             : nullptr)
        uninstall(main);
    if (pattern.hProcess) {
        ::TerminateProcess(pattern.hProcess, 0);
        ::CloseHandle(pattern.hProcess);
        ::CloseHandle(pattern.hThread);
    }

    const double recorded = (stopped - started) / 1000.0;
    const double share = stats.positions ? 100.0 * stats.framesWritten / stats.positions : 0.0;
    std::printf("rectangle            %d x %d at (%d, %d)%s\n", o.width / 4 * 4, o.height / 4 * 4,
                o.left, o.top, o.still ? "" : ", moving picture");
    std::printf("recorded             %.2f s, %u turns\n", recorded, stats.turns);
    std::printf("frames written       %u (%u more replaced by a newer picture while waiting)\n",
                stats.framesWritten, stats.replaced);
    std::printf("positions            %u\n", stats.positions);
    std::printf("own picture          %.1f %% of positions\n", share);
    std::printf("grab   ms/frame      mean %6.2f   p95 %6.2f\n", Mean(stats.grabMs),
                Percentile(stats.grabMs, 0.95));
    std::printf("encode ms/frame      mean %6.2f   p95 %6.2f\n", Mean(stats.encodeMs),
                Percentile(stats.encodeMs, 0.95));
    std::printf("write  ms/frame      mean %6.2f   p95 %6.2f\n", Mean(stats.writeMs),
                Percentile(stats.writeMs, 0.95));
    std::printf("CPU s per recorded s grabbing thread %.3f, whole recorder %.3f\n",
                recorded > 0 ? workerCpu / recorded : 0.0, recorded > 0 ? processCpu / recorded : 0.0);
    std::printf("file closed          %.1f ms after Recording went to 0\n", closed - stopped);
    std::printf("end message          %s\n", interrupted ? "interrupted" : ended ? "generic" : "none");
    std::printf("SUMMARY %dx%d: %u/%u positions with own picture (%.1f %%), grab %.1f ms, encode %.1f "
                "ms, write %.1f ms, %.2f CPU s/s, closed in %.0f ms%s\n",
                o.width / 4 * 4, o.height / 4 * 4, stats.framesWritten, stats.positions, share,
                Mean(stats.grabMs), Mean(stats.encodeMs), Mean(stats.writeMs),
                recorded > 0 ? processCpu / recorded : 0.0, closed - stopped,
                stats.failed ? ", FAILED" : "");
    std::fflush(stdout);
    return stats.failed ? 1 : 0;
}
