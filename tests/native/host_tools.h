// Runs the host's ffprobe and ffmpeg from native tests.
#pragma once

#include <cstdio>
#include <string>

struct ToolResult {
    int exitCode = -1;
    std::string output;
};

inline ToolResult RunTool(const std::string& command) {
    ToolResult r;
    std::FILE* p = popen((command + " 2>&1").c_str(), "r");
    if (!p) return r;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, p)) > 0) r.output.append(buffer, n);
    const int status = pclose(p);
    r.exitCode = (status >= 0 && (status & 0x7F) == 0) ? (status >> 8) & 0xFF : -1;
    return r;
}
