// The folder of the running program, where its companions, its settings file
// and its skin live.
#pragma once

#include <string>

namespace fw {

// The executable's path cut before its last backslash (no trailing backslash).
std::string ProgramFolder();

}  // namespace fw
