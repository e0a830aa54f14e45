// Runs a command of the Linux host (ffprobe, ffmpeg, xdotool, parec, ...) from
// a Windows test under Wine. Wine starts Unix programs but neither waits for
// them nor reports their exit code, so the command runs inside a shell that
// writes its output and exit status to files, and the caller polls for them.
#pragma once

#include <string>

namespace hostcmd {

struct Result {
    bool finished = false;  // false: timed out or could not be started
    int exitCode = -1;
    std::string output;  // standard output and standard error together
};

// Runs `command` with /bin/sh -c on the host and waits up to `timeoutMs`.
Result Run(const std::string& command, unsigned timeoutMs = 60000);

// The host (Unix) path of a Windows path, e.g. "Z:\tmp\x.avi" -> "/tmp/x.avi".
std::string HostPath(const std::string& windowsPath);

// Quotes a text for the shell.
std::string ShellQuote(const std::string& text);

}  // namespace hostcmd
