#include "tests/support/media_probe.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

#include "tests/support/host_command.h"

namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

std::vector<std::string> FilesIn(const std::string& folder, const std::string& pattern) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE find = ::FindFirstFileA((folder + "\\" + pattern).c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(data.cFileName);
    } while (::FindNextFileA(find, &data));
    ::FindClose(find);
    return names;
}

std::string Probe(const std::string& file, const char* which, const char* entries) {
    const hostcmd::Result r = hostcmd::Run(std::string("ffprobe -v error -count_packets -select_streams ") +
                                           which + " -show_entries " + entries + " -of csv=p=0 " +
                                           hostcmd::ShellQuote(hostcmd::HostPath(file)));
    std::string value = r.finished && r.exitCode == 0 ? r.output : "ffprobe failed: " + r.output;
    while (!value.empty() && (value.back() == '\n' || value.back() == ',')) value.pop_back();
    return value;
}

std::vector<std::vector<uint8_t>> DecodeFrames(const std::string& file, int width, int height) {
    const std::string raw = file + ".rgb";
    hostcmd::Run("ffmpeg -v error -nostdin -y -i " + hostcmd::ShellQuote(hostcmd::HostPath(file)) +
                 " -map 0:v -vsync passthrough -f rawvideo -pix_fmt rgb24 " +
                 hostcmd::ShellQuote(hostcmd::HostPath(raw)), 120000);
    const std::string bytes = ReadAll(raw);
    ::DeleteFileA(raw.c_str());
    const size_t frameBytes = static_cast<size_t>(width) * height * 3;
    std::vector<std::vector<uint8_t>> frames;
    for (size_t at = 0; at + frameBytes <= bytes.size(); at += frameBytes)
        frames.emplace_back(bytes.begin() + at, bytes.begin() + at + frameBytes);
    return frames;
}

std::vector<long> PacketPositions(const std::string& file) {
    const hostcmd::Result r = hostcmd::Run(
        "ffprobe -v error -select_streams v -show_entries packet=pts -of csv=p=0 " +
        hostcmd::ShellQuote(hostcmd::HostPath(file)));
    std::vector<long> pts;
    std::istringstream lines(r.output);
    std::string line;
    while (std::getline(lines, line))
        if (!line.empty()) pts.push_back(std::atol(line.c_str()));
    return pts;
}

std::vector<int16_t> DecodeAudio(const std::string& file) {
    const std::string raw = file + ".pcm";
    hostcmd::Run("ffmpeg -v error -nostdin -y -i " + hostcmd::ShellQuote(hostcmd::HostPath(file)) +
                 " -map 0:a -f s16le -acodec pcm_s16le " + hostcmd::ShellQuote(hostcmd::HostPath(raw)),
                 120000);
    const std::string bytes = ReadAll(raw);
    ::DeleteFileA(raw.c_str());
    std::vector<int16_t> samples(bytes.size() / 2);
    std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
    return samples;
}
