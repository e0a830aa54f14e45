// What the Windows benchmarks share: clocks, CPU times, and pointing the
// recording worker at an output file.
#pragma once

#include <windows.h>

#include <string>

class CRecordState;

double NowMs();
double ThreadCpuSeconds(HANDLE thread);
double ProcessCpuSeconds();

// The worker names its file after config.ini's folder and the state's
// RecordFileName: points both at `out` (an existing file of that name is
// deleted).
bool AimRecordingAt(CRecordState& state, const std::string& out);
