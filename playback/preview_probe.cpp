// preview_probe [--start PERCENT] [--seconds N] [--cpu] FILE
//
// Plays FILE with the real preview surface and player in a window titled
// "Preview probe" at (100, 100), whose client area is the 320 × 240 preview
// control, from PERCENT for N seconds or to its end, then prints
//   ticks T rate R percent P
// (ticks counted, ticks per second, last percent) and exits 0; with --cpu a
// second line "cpu S" gives the process's CPU seconds per second played.
// Exits 1 with a reason when FILE cannot be played.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "playback/MediaDecoder.h"
#include "playback/PreviewPlayer.h"
#include "playback/PreviewSurface.h"

namespace {

constexpr int kPreviewWidth = 320;
constexpr int kPreviewHeight = 240;

int Fail(const char* reason, const std::string& file) {
    std::printf("error %s: %s\n", reason, file.c_str());
    return 1;
}

double CpuSeconds() {
    FILETIME created, ended, kernel, user;
    ::GetProcessTimes(::GetCurrentProcess(), &created, &ended, &kernel, &user);
    auto seconds = [](const FILETIME& t) {
        return (double(t.dwHighDateTime) * 4294967296.0 + t.dwLowDateTime) * 1e-7;
    };
    return seconds(kernel) + seconds(user);
}

void PumpMessages() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

}  // namespace

int main(int argc, char** argv) {
    int startPercent = 0;
    double seconds = 0;  // 0: to the end
    bool reportCpu = false;
    std::string file;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--start") && i + 1 < argc) startPercent = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--seconds") && i + 1 < argc) seconds = std::atof(argv[++i]);
        else if (!std::strcmp(argv[i], "--cpu")) reportCpu = true;
        else file = argv[i];
    }
    if (file.empty()) {
        std::printf("usage: preview_probe [--start PERCENT] [--seconds N] [--cpu] FILE\n");
        return 1;
    }

    MediaInfo info{};
    {
        CMediaDecoder decoder;
        decoder.Init();
        if (decoder.Open(file.c_str()) != 1 || decoder.GetInfo(&info) != 1)
            return Fail("cannot open", file);
    }

    HWND window = ::CreateWindowExA(WS_EX_TOPMOST, "STATIC", "Preview probe", WS_POPUP | WS_VISIBLE,
                                    100, 100, kPreviewWidth, kPreviewHeight, nullptr, nullptr,
                                    ::GetModuleHandleA(nullptr), nullptr);
    HWND control = ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_BLACKRECT, 0, 0,
                                     kPreviewWidth, kPreviewHeight, window, nullptr,
                                     ::GetModuleHandleA(nullptr), nullptr);
    if (!window || !control) return Fail("no window", file);
    PumpMessages();

    CPreviewSurface surface;
    if (info.hasVideo && !surface.Create(control, info.width, info.height, kPreviewWidth, kPreviewHeight))
        return Fail("no preview surface for this picture size", file);

    PreviewHooks hooks;
    hooks.previewWindow = control;
    hooks.surface = &surface;
    auto player = std::make_unique<CPreviewPlayer>(hooks);
    player->Select(0, file, info.width, info.height, info.hasVideo != 0);
    player->SetPosition(startPercent);
    player->Play();

    // Ticks are timed from the first to the last one seen.
    const DWORD start = ::GetTickCount();
    DWORD firstTickAt = 0, lastTickAt = 0;
    int firstTicks = 0, lastTicks = 0;
    double cpuAtFirstTick = 0;
    while (player->Running()) {
        PumpMessages();
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        const int ticks = player->Ticks();
        const DWORD now = ::GetTickCount();
        if (ticks > 0 && firstTicks == 0) {
            firstTicks = ticks;
            firstTickAt = now;
            cpuAtFirstTick = CpuSeconds();
        }
        if (ticks != lastTicks) {
            lastTicks = ticks;
            lastTickAt = now;
        }
        if (seconds > 0 && firstTicks > 0 && now - firstTickAt >= DWORD(seconds * 1000)) break;
        if (firstTicks == 0 && now - start > 20000) break;  // never started
    }
    const double cpu = CpuSeconds() - cpuAtFirstTick;
    player->Pause();
    const int ticks = player->Ticks();
    const int percent = player->Position();
    player.reset();
    surface.Destroy();
    ::DestroyWindow(window);
    if (ticks == 0) return Fail("did not play (file or sound device)", file);

    const double span = (lastTickAt - firstTickAt) / 1000.0;
    const double rate = span > 0 ? (lastTicks - firstTicks) / span : 0;
    std::printf("ticks %d rate %.2f percent %d\n", ticks, rate, percent);
    if (reportCpu) std::printf("cpu %.3f\n", span > 0 ? cpu / span : 0);
    return 0;
}
