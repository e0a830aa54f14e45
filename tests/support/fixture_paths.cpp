#include "tests/support/fixture_paths.h"

#include <windows.h>

#include "tests/support/host_command.h"

namespace e2e {

std::string FixtureFolder() {
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    folder.resize(folder.find_last_of('\\'));
    return folder + "\\fixtures";
}

std::string MakeScratchFolder(const std::string& prefix) {
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    for (unsigned n = ::GetTickCount() % 100000;; ++n) {
        const std::string folder = std::string(temp) + prefix + std::to_string(n);
        if (::CreateDirectoryA(folder.c_str(), nullptr)) return folder;
        if (::GetLastError() != ERROR_ALREADY_EXISTS) return {};
    }
}

void RemoveScratchFolder(const std::string& folder) {
    if (folder.empty()) return;
    hostcmd::Run("rm -rf " + hostcmd::ShellQuote(hostcmd::HostPath(folder)), 30000);
}

}  // namespace e2e
