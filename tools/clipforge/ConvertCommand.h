// The command-line conversion: one file, no window. A program without a
// console has nowhere to print, so every outcome but a clean one leaves its
// reason in OUT + ".log".
#pragma once

#include "tools/clipforge/CommandLine.h"

namespace clipforge {

enum ExitCode {
    kExitDone = 0,
    kExitFailed = 1,     // nothing written; the log says why
    kExitUsage = 2,
    kExitPartial = 3,    // the MP4 holds what could be read; the log says what is missing
};

// Paths in UTF-8.
int RunConvertCommand(const CommandLine& command);

std::string LogNameFor(const std::string& output);

}  // namespace clipforge
