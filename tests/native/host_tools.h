// Runs the host's ffprobe and ffmpeg from native tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

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

inline std::string Quote(const std::string& path) {
    return "'" + path + "'";
}

// pts of every video packet, in file order, as ffprobe sees them.
inline std::vector<long> VideoPacketTimes(const std::string& path) {
    const ToolResult r = RunTool("ffprobe -v error -select_streams v -show_entries packet=pts "
                                 "-of csv=p=0 " + Quote(path));
    std::vector<long> pts;
    std::istringstream lines(r.output);
    std::string line;
    while (std::getline(lines, line))
        if (!line.empty()) pts.push_back(std::stol(line));
    return pts;
}

inline std::string StreamField(const std::string& path, const char* stream, const char* field) {
    const ToolResult r = RunTool(std::string("ffprobe -v error -count_packets -select_streams ") +
                                 stream + " -show_entries stream=" + field + " -of csv=p=0 " +
                                 Quote(path));
    std::string value = r.output;
    while (!value.empty() && (value.back() == '\n' || value.back() == ',')) value.pop_back();
    return value;
}

inline bool DecodesCleanly(const std::string& path) {
    const ToolResult r = RunTool("ffmpeg -v error -nostdin -i " + Quote(path) + " -f null -");
    EXPECT_EQ(r.output, "") << "ffmpeg complained";
    return r.exitCode == 0;
}
