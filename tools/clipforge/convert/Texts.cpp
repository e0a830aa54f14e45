#include "tools/clipforge/convert/Texts.h"

#include <algorithm>
#include <cstdio>

namespace clipforge {

std::string DurationText(double seconds) {
    if (seconds < 0) return "?";
    const long s = long(seconds + 0.5);
    char text[32];
    std::snprintf(text, sizeof text, "%02ld:%02ld:%02ld", s / 3600, s / 60 % 60, s % 60);
    return text;
}

std::string SizeText(uint64_t bytes) {
    char text[32];
    if (bytes < 1024 * 1024)
        std::snprintf(text, sizeof text, "%llu KB", (unsigned long long)((bytes + 1023) / 1024));
    else
        std::snprintf(text, sizeof text, "%.1f MB", double(bytes) / (1024.0 * 1024.0));
    return text;
}

int Permille(double done, double total) {
    if (total <= 0) return 0;
    return std::clamp(int(done / total * 1000.0), 0, 1000);
}

std::string ProgressText(double done, double total, double elapsed) {
    const int percent = Permille(done, total) / 10;
    // Time left from the pace so far; nothing sensible before a moment has passed.
    if (done <= 0 || elapsed < 0.5 || total <= done) return std::to_string(percent) + " %";
    const double left = elapsed * (total - done) / done;
    return std::to_string(percent) + " %, " + DurationText(left) + " left";
}

}  // namespace clipforge
