// The recording benchmark's counters (bench/record_bench.cpp, callaudio_bench):
// per-frame timings of one recording, collected only when a benchmark points
// its recording session's Stats at a record. The program itself never does;
// nothing it shows or writes depends on them.
#pragma once

#include <cstdint>
#include <vector>

struct RecordStats {
    std::vector<double> grabMs;    // every turn
    std::vector<double> encodeMs;  // every frame written
    std::vector<double> writeMs;   // every frame written, audio included
    std::vector<double> audioMs;   // every audio chunk: drain, mix and write
    uint32_t turns = 0;
    uint32_t framesWritten = 0;
    uint32_t replaced = 0;  // pictures that a newer one replaced while they waited
    uint32_t positions = 0;  // video positions in the file
    bool failed = false;
};
