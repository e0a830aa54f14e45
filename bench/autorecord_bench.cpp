// Automatic call recording as a user meets it, under the rig: Lumiskop.exe
// with [AutoRecord] Enabled=1 and the stand-in messenger, one call after the
// other. Prints for each call the start latency (the far end's first sound,
// as the stand-in queues it, to the recording's file, which the worker makes
// right before its first picture) and the stop latency (the window closed to
// the file closed), their medians against the targets (2.5 s and 1 s), and
// the idle watch's CPU with the feature on and off while no call runs: the
// recorder's own, the recorder's and the audio engine's (which reports the
// far end's level), and the whole rig's (sound daemon, Wine server and X
// included; other work on the machine shows up there).
//
// The idle phases alternate, on and off, for S seconds each, R rounds, so
// that the engine's and the machine's own swings fall on both sides.
//
//   scripts/rig exec -- wine build/win32/bench/autorecord_bench.exe [--calls N]
//       [--idle-seconds S] [--idle-rounds R]
#include <windows.h>
#include <mmsystem.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench/BenchFigures.h"
#include "res/resource.h"
#include "tests/e2e/recorder_session.h"
#include "tests/support/fixture_paths.h"
#include "tests/support/host_command.h"
#include "tests/support/media_probe.h"
#include "tests/support/process_helpers.h"

namespace {

constexpr const char* kTitle = "Call - <alice@example.com>";
constexpr DWORD kToneAfterMs = 1000;
constexpr DWORD kCallMs = 3000;

std::string FixtureProgram() {
    std::string folder = e2e::ProgramFolder();  // ...\bin
    folder.resize(folder.find_last_of('\\'));
    return folder + "\\tests\\fixtures\\msnmsgr.exe";
}

DWORD Noted(const std::string& log, const std::string& what) {
    for (const std::string& line : e2e::ReadLines(log))
        if (line.rfind(what + " ", 0) == 0) return std::strtoul(line.c_str() + what.size() + 1, nullptr, 10);
    return 0;
}

// Polls every 10 ms; the time it held, or 0.
template <class Condition>
DWORD PollUntil(Condition condition, DWORD ms) {
    const DWORD start = ::timeGetTime();
    while (!condition()) {
        if (::timeGetTime() - start > ms) return 0;
        ::Sleep(10);
    }
    return ::timeGetTime();
}

bool Closed(const std::string& path) {
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    ::CloseHandle(file);
    return true;
}

// CPU ticks (1/100 s) of the rig's processes: all of them, Lumiskop.exe and
// sndrelay.exe.
struct RigTicks {
    long long all = -1;
    long long recorder = -1;
    long long engine = -1;
};

RigTicks ReadRigTicks() {
    const hostcmd::Result result = hostcmd::Run(
        "[ -n \"$RIG_DIR\" ] || exit 1; all=0; rec=0; eng=0; "
        "for e in /proc/[0-9]*/environ; do d=${e%/environ}; "
        "grep -qsxzF \"RIG_DIR=$RIG_DIR\" $e || continue; "
        "t=$(cut -d')' -f2 $d/stat 2>/dev/null | awk '{print $12+$13}'); [ -n \"$t\" ] || continue; "
        "all=$((all+t)); c=$(tr '\\0' ' ' < $d/cmdline 2>/dev/null); "
        "case \"$c\" in *Lumiskop.exe*) rec=$((rec+t));; *sndrelay.exe*) eng=$((eng+t));; esac; "
        "done; echo $all $rec $eng",
        30000);
    RigTicks ticks;
    if (result.finished && result.exitCode == 0)
        std::sscanf(result.output.c_str(), "%lld %lld %lld", &ticks.all, &ticks.recorder, &ticks.engine);
    return ticks;
}

// CPU in % of one core over `seconds` of idling.
struct IdleCpu {
    double all = 0, recorder = 0, engine = 0;
};

// Adds `seconds` of idling to `cpu`, weighted by `share`.
bool MeasureIdle(int seconds, double share, IdleCpu& cpu) {
    const RigTicks before = ReadRigTicks();
    ::Sleep(static_cast<DWORD>(seconds) * 1000);
    const RigTicks after = ReadRigTicks();
    if (before.all < 0 || after.all < 0) return false;
    cpu.all += share * static_cast<double>(after.all - before.all) / seconds;
    cpu.recorder += share * static_cast<double>(after.recorder - before.recorder) / seconds;
    cpu.engine += share * static_cast<double>(after.engine - before.engine) / seconds;
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    int calls = 10, idleSeconds = 10, idleRounds = 6;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--calls") && i + 1 < argc) calls = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--idle-seconds") && i + 1 < argc) idleSeconds = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--idle-rounds") && i + 1 < argc) idleRounds = std::atoi(argv[++i]);
    }
    ::timeBeginPeriod(1);
    const std::string folder = e2e::MakeScratchFolder("lumiskop-autorec-bench");
    const std::string log = folder + "\\messenger.log";
    std::vector<double> starts, stops;
    IdleCpu on, off;
    bool idleMeasured = false;
    {
        e2e::RecorderSession recorder(folder, "[AutoRecord]\r\nEnabled=1\r\n");
        if (!recorder.Main()) {
            std::printf("Lumiskop.exe did not start\n");
            return 1;
        }
        ::Sleep(3000);  // past the start-up check; the listener has settled
        for (int call = 1; call <= calls; ++call) {
            ::DeleteFileA(log.c_str());
            e2e::ChildProcess messenger = e2e::ChildProcess::Start(
                "\"" + FixtureProgram() + "\" \"--window=class=IMWindowClass;title=" + kTitle +
                    ";at=600,200,480,360\" --tone=1000 \"--device=Quorvanta VAudio\" --tone-after=" +
                    std::to_string(kToneAfterMs) + " \"--log=" + log + "\"",
                folder);
            HWND conversation = e2e::WaitForWindow(kTitle, 15000, messenger.Id());
            const DWORD started =
                PollUntil([&] { return FilesIn(folder, "*.avi").size() >= static_cast<size_t>(call); }, 15000);
            const DWORD tone = Noted(log, "tone");
            if (!conversation || !started || !tone) {
                std::printf("call %d: %s\n", call, !conversation ? "no window" : !started ? "not recorded" : "no tone");
                messenger.Kill();
                break;
            }
            ::Sleep(kCallMs);
            const std::vector<std::string> files = FilesIn(folder, "*.avi");
            std::string newest = files.empty() ? "" : files.front();
            for (const std::string& name : files) newest = std::max(newest, name);
            const DWORD closedAt = ::timeGetTime();
            ::PostMessageA(conversation, WM_CLOSE, 0, 0);
            const DWORD fileClosed = PollUntil([&] { return Closed(folder + "\\" + newest); }, 15000);
            messenger.WaitForExit(5000);
            if (!fileClosed) {
                std::printf("call %d: the recording did not end\n", call);
                break;
            }
            starts.push_back(static_cast<double>(started - tone));
            stops.push_back(static_cast<double>(fileClosed - closedAt));
            std::printf("call %2d: start %5.0f ms  stop %5.0f ms\n", call, starts.back(), stops.back());
            std::fflush(stdout);
            e2e::WaitUntil([&] { return recorder.ListRows().size() >= static_cast<size_t>(call); }, 10000);
            ::Sleep(1500);
        }

        // Idle: the feature on and off by turns, through its menu command.
        idleMeasured = idleRounds > 0 && idleSeconds > 0;
        for (int round = 0; round < 2 * idleRounds && idleMeasured; ++round) {
            if (round > 0) ::PostMessageA(recorder.Main(), WM_SYSCOMMAND, ID_AUTO_RECORD, 0);
            ::Sleep(2000);
            idleMeasured = MeasureIdle(idleSeconds, 1.0 / idleRounds, round % 2 ? off : on);
        }
        recorder.Close();
    }
    e2e::RemoveScratchFolder(folder);

    if (!starts.empty()) {
        std::printf("start latency (far end's first sound -> file of the first picture), %zu calls: "
                    "median %.0f ms, min %.0f, max %.0f (target: median <= 2500)\n",
                    starts.size(), Percentile(starts, 0.5), Percentile(starts, 0), Percentile(starts, 1));
        std::printf("stop latency (window closed -> file closed), %zu calls: "
                    "median %.0f ms, min %.0f, max %.0f (target: median <= 1000)\n",
                    stops.size(), Percentile(stops, 0.5), Percentile(stops, 0), Percentile(stops, 1));
    }
    if (idleMeasured) {
        std::printf("idle, %d x %d s each, %% of one core with the watch on / off:\n", idleRounds, idleSeconds);
        std::printf("  recorder                 %6.2f / %6.2f\n", on.recorder, off.recorder);
        std::printf("  audio engine             %6.2f / %6.2f\n", on.engine, off.engine);
        std::printf("  recorder + audio engine  %6.2f / %6.2f: the watch costs %.2f %% (target < 1)\n",
                    on.recorder + on.engine, off.recorder + off.engine,
                    on.recorder + on.engine - off.recorder - off.engine);
        std::printf("  whole rig                %6.2f / %6.2f (other work shows up here)\n", on.all, off.all);
    } else {
        std::printf("idle CPU not measured: no rig processes found (run under scripts/rig)\n");
    }
    ::timeEndPeriod(1);
    return starts.size() == static_cast<size_t>(calls) ? 0 : 1;
}
