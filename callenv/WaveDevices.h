// Product names of the wave devices, for the device matching rules.
#pragma once

#include <string>

namespace callenv {

// False past the last device.
bool WaveInName(unsigned index, std::string& productName);
bool WaveOutName(unsigned index, std::string& productName);

}  // namespace callenv
