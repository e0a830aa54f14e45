// Looking into a recording with the host's ffprobe and ffmpeg, which no one
// here wrote: stream values, decoded pictures and decoded sound.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Files in `folder` matching `pattern` (e.g. "~temp*.avi").
std::vector<std::string> FilesIn(const std::string& folder, const std::string& pattern);

// ffprobe's value of `entries` (e.g. "stream=codec_name") for stream `which`
// ("v" or "a"), csv without keys.
std::string Probe(const std::string& file, const char* which, const char* entries);

// The decoded video as rgb24 frames, one per picture in the file (skipped
// positions give none); PacketPositions says where each one sits.
std::vector<std::vector<uint8_t>> DecodeFrames(const std::string& file, int width, int height);
std::vector<long> PacketPositions(const std::string& file);
// The decoded audio as 16-bit stereo samples.
std::vector<int16_t> DecodeAudio(const std::string& file);
