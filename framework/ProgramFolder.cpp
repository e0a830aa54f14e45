#include "framework/ProgramFolder.h"

#include <windows.h>

namespace fw {

std::string ProgramFolder() {
    char path[300] = {};
    const DWORD length = ::GetModuleFileNameA(nullptr, path, sizeof path);
    // A cut-off path names no real folder.
    std::string folder(path, length < sizeof path ? length : 0);
    const size_t slash = folder.rfind('\\');
    folder.resize(slash == std::string::npos ? 0 : slash);
    return folder;
}

}  // namespace fw
