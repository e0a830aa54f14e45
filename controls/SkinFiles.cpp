#include "controls/SkinFiles.h"

#include <windows.h>

namespace skinfiles {

std::string ExecutableFolder() {
    char path[MAX_PATH] = {};
    DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length < MAX_PATH ? length : 0);
    size_t slash = folder.find_last_of('\\');
    folder.resize(slash == std::string::npos ? 0 : slash);
    return folder;
}

std::string NormalFile(const std::string& folder, const std::string& base) {
    return folder + base + "_normal.bmp";
}

std::string HoverFile(const std::string& folder, const std::string& base) {
    return folder + base + "_hover.bmp";
}

std::string ClickFile(const std::string& folder, const std::string& base) {
    return folder + base + "_click.bmp";
}

}  // namespace skinfiles
