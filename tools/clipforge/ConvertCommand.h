// The command-line conversion: one file, no window. A program without a
// console has nowhere to print, so every outcome but a clean one leaves its
// reason in OUT + ".log". Where that log cannot be written (the folder is
// missing, read-only or full), it goes to the user's temp folder instead and
// its text to the console, for whoever started the program from one.
#pragma once

#include <functional>
#include <string>

#include "settings/ConvertChoice.h"
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

// Paths in UTF-8. The recording's edits (unless --no-edits) and `choice`,
// the recorder's output settings, are applied; the console is told which.
int RunConvertCommand(const CommandLine& command, const ConsoleWriter& console,
                      const settings::ConvertChoice& choice = {});
// "Edits: trim ..., volume 50%." or "Edits: none."
std::string EditsLine(const std::string& applied, bool editFileIgnored);

std::string LogNameFor(const std::string& output);

}  // namespace clipforge
