#pragma once

#include <cstdint>
#include <string>

// "hh:mm:ss" of a recording's length; the hours field widens past 99.
std::string FormatElapsed(int32_t seconds);
