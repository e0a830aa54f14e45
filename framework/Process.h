// Starting another program.
#pragma once

#include <string>

namespace fw {

// Starts `commandLine` (CreateProcessA, no console window, no inherited
// handles) and lets it run on its own. False when it could not be started.
bool StartProcess(const std::string& commandLine);

}  // namespace fw
