// config.ini in the program's folder: the output folder (section "General",
// key "FilePath"), automatic call recording (section "AutoRecord") and whether
// a call recording follows its window (section "Record").
#pragma once

#include <string>

#include "engine/AutoRecordSettings.h"
#include "settings/ConvertChoice.h"

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

constexpr const char* kAutoRecordSection = "AutoRecord";
constexpr const char* kAutoRecordEnabledKey = "Enabled";
constexpr const char* kAutoRecordContactsKey = "Contacts";
constexpr const char* kSilenceStopKey = "SilenceStopSeconds";
constexpr const char* kRecordSection = "Record";
constexpr const char* kFollowCallWindowKey = "FollowCallWindow";

autorec::AutoRecordSettings ReadAutoRecordSettings();
bool WriteAutoRecordEnabled(bool enabled);
// On unless FollowCallWindow is 0.
bool ReadFollowCallWindow();

// The [Convert] section: the MP4's picture size and bit rates, as the
// settings dialog shows them.
settings::ConvertChoice ReadConvertChoice();

}  // namespace config
