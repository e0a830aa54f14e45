// What the Windows benchmarks share: clocks, CPU times, and pointing the
// recording worker at an output file.
#pragma once

#include <windows.h>

#include <string>

double NowMs();
double ThreadCpuSeconds(HANDLE thread);
double ProcessCpuSeconds();

// The worker names its file after config.ini's folder and RecordFileName:
// points both at `out` (an existing file of that name is deleted).
bool AimRecordingAt(const std::string& out);
