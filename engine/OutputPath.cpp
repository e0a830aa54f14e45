#include "engine/OutputPath.h"

#include <windows.h>

#include <atomic>
#include <cstdlib>
#include <ctime>

#include "engine/ConfigFile.h"
#include "framework/ProgramFolder.h"

namespace {

constexpr int kNameTries = 100;
std::atomic<bool> g_useProgramFolder{false};

bool IsFolder(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Creates the file only if it does not exist, then removes it again.
bool CanCreate(const std::string& path) {
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    ::CloseHandle(file);
    ::DeleteFileA(path.c_str());
    return true;
}

}  // namespace

std::string OutputFolder() {
    if (!g_useProgramFolder.load()) {
        std::string folder = config::ReadOutputFolder();
        if (IsFolder(folder)) return folder;
        g_useProgramFolder.store(true);
    }
    return fw::ProgramFolder();
}

std::string ChooseRecordPath(const std::string& fileName) {
    std::string path = OutputFolder() + "\\" + fileName;
    if (!fileName.empty() && CanCreate(path)) return path;
    std::srand(static_cast<unsigned>(std::time(nullptr)) ^ ::GetCurrentThreadId());
    for (int i = 0; i < kNameTries; ++i) {
        path = OutputFolder() + "\\~temp" + std::to_string(std::rand()) + ".avi";
        if (CanCreate(path)) return path;
    }
    return {};
}
