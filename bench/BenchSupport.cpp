#include "bench/BenchSupport.h"

#include "engine/ConfigFile.h"
#include "engine/RecordState.h"

namespace {
double Seconds(const FILETIME& t) {
    return (static_cast<double>(t.dwHighDateTime) * 4294967296.0 + t.dwLowDateTime) / 1e7;
}
}  // namespace

double NowMs() {
    LARGE_INTEGER now, frequency;
    ::QueryPerformanceCounter(&now);
    ::QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double ThreadCpuSeconds(HANDLE thread) {
    FILETIME created, exited, kernel, user;
    if (!::GetThreadTimes(thread, &created, &exited, &kernel, &user)) return 0;
    return Seconds(kernel) + Seconds(user);
}

double ProcessCpuSeconds() {
    FILETIME created, exited, kernel, user;
    if (!::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0;
    return Seconds(kernel) + Seconds(user);
}

bool AimRecordingAt(CRecordState& state, const std::string& out) {
    char full[MAX_PATH] = {};
    char* name = nullptr;
    if (!::GetFullPathNameA(out.c_str(), MAX_PATH, full, &name) || !name) return false;
    state.RecordFileName = name;
    *(name - 1) = '\0';
    ::DeleteFileA(out.c_str());
    return config::WriteOutputFolder(full);
}
