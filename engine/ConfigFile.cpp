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

}  // namespace config
