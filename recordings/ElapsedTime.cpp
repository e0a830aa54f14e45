#include "recordings/ElapsedTime.h"

#include <cstdio>

std::string FormatElapsed(int32_t seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", seconds / 3600, seconds % 3600 / 60,
                  seconds % 3600 % 60);
    return text;
}
