// config.ini in the program's folder and its one setting: the output folder
// (section "General", key "FilePath").
#pragma once

#include <string>

namespace config {

constexpr const char* kFileName = "config.ini";
constexpr const char* kSection = "General";
constexpr const char* kOutputFolderKey = "FilePath";
constexpr const char* kDefaultOutputFolder = "C:\\QuorvantaOutput";

// The program folder + "\config.ini".
std::string FilePath();
// The configured output folder; the default when none is set.
std::string ReadOutputFolder();
bool WriteOutputFolder(const std::string& folder);

}  // namespace config
