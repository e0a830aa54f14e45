// The command-line conversion: one file, no window. A program without a
// console has nowhere to print, so every outcome but a clean one leaves its
// reason in OUT + ".log". Where that log cannot be written (the folder is
// missing, read-only or full), it goes to the user's temp folder instead and
// its text to the console, for whoever started the program from one.
#pragma once

#include <functional>
#include <string>

#include "tools/clipforge/CommandLine.h"

namespace clipforge {

enum ExitCode {
    kExitDone = 0,
    kExitFailed = 1,     // nothing written; the log says why
    kExitUsage = 2,
    kExitPartial = 3,    // the MP4 holds what could be read; the log says what is missing
};

// Shows a text (UTF-8) on the console, where there is one.
using ConsoleWriter = std::function<void(const std::string& text)>;

// Paths in UTF-8.
int RunConvertCommand(const CommandLine& command, const ConsoleWriter& console);

std::string LogNameFor(const std::string& output);

}  // namespace clipforge
