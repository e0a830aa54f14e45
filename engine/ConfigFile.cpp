#include "engine/ConfigFile.h"

#include "framework/IniFile.h"
#include "framework/ProgramFolder.h"

namespace config {

std::string FilePath() {
    return fw::ProgramFolder() + "\\" + kFileName;
}

std::string ReadOutputFolder() {
    return CIniFile(FilePath()).GetString(kSection, kOutputFolderKey, kDefaultOutputFolder);
}

bool WriteOutputFolder(const std::string& folder) {
    return CIniFile(FilePath()).WriteString(kSection, kOutputFolderKey, folder.c_str());
}

autorec::AutoRecordSettings ReadAutoRecordSettings() {
    const CIniFile ini(FilePath());
    return autorec::ParseAutoRecordSettings(
        ini.GetString(kAutoRecordSection, kAutoRecordEnabledKey, ""),
        ini.GetString(kAutoRecordSection, kAutoRecordContactsKey, ""),
        ini.GetString(kAutoRecordSection, kSilenceStopKey, ""));
}

bool WriteAutoRecordEnabled(bool enabled) {
    return CIniFile(FilePath()).WriteString(kAutoRecordSection, kAutoRecordEnabledKey,
                                            enabled ? "1" : "0");
}

bool ReadFollowCallWindow() {
    return autorec::ParseSwitch(
        CIniFile(FilePath()).GetString(kRecordSection, kFollowCallWindowKey, ""), true);
}

settings::ConvertChoice ReadConvertChoice() {
    const CIniFile ini(FilePath());
    const auto text = [&](const char* key) { return ini.GetString(settings::kConvertSection, key, ""); };
    return settings::ChoiceFromTexts(text(settings::kWidthKey), text(settings::kHeightKey),
                                     text(settings::kVideoKbpsKey), text(settings::kAudioKbpsKey));
}

}  // namespace config
