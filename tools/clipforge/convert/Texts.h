// Texts the converter shows: lengths, sizes and progress.
#pragma once

#include <cstdint>
#include <string>

namespace clipforge {

// "00:01:05"; "?" for an unknown (negative) length.
std::string DurationText(double seconds);
// "640 KB", "12.3 MB".
std::string SizeText(uint64_t bytes);
// "42 %, 00:00:12 left" from the seconds converted, the recording's length
// and the time spent so far.
std::string ProgressText(double done, double total, double elapsed);
// 0..1000, for a progress bar.
int Permille(double done, double total);

}  // namespace clipforge
