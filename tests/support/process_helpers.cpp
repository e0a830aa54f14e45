#include "tests/support/process_helpers.h"

#include <utility>
#include <vector>

namespace e2e {

std::string ProgramFolder() {
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    folder.resize(folder.find_last_of('\\'));        // ...\tests
    folder.resize(folder.find_last_of('\\') + 1);    // ...\ (the build folder)
    return folder + "bin";
}

ChildProcess::~ChildProcess() {
    Kill();
}

ChildProcess::ChildProcess(ChildProcess&& other) noexcept
    : m_info(std::exchange(other.m_info, PROCESS_INFORMATION{})) {}

ChildProcess& ChildProcess::operator=(ChildProcess&& other) noexcept {
    if (this != &other) {
        Kill();
        m_info = std::exchange(other.m_info, PROCESS_INFORMATION{});
    }
    return *this;
}

ChildProcess ChildProcess::Start(const std::string& commandLine, const std::string& folder) {
    ChildProcess child;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          folder.empty() ? nullptr : folder.c_str(), &si, &child.m_info))
        child.m_info = {};
    return child;
}

bool ChildProcess::WaitForExit(DWORD ms, DWORD* code) const {
    if (!m_info.hProcess || ::WaitForSingleObject(m_info.hProcess, ms) != WAIT_OBJECT_0)
        return false;
    if (code) ::GetExitCodeProcess(m_info.hProcess, code);
    return true;
}

bool ChildProcess::Running() const {
    return m_info.hProcess && ::WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT;
}

void ChildProcess::Kill() {
    if (!m_info.hProcess) return;
    if (Running()) {
        ::TerminateProcess(m_info.hProcess, 99);
        ::WaitForSingleObject(m_info.hProcess, 5000);
    }
    ::CloseHandle(m_info.hProcess);
    ::CloseHandle(m_info.hThread);
    m_info = {};
}

namespace {
struct TitleSearch {
    const char* title;
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectByTitle(HWND hwnd, LPARAM lp) {
    auto* search = reinterpret_cast<TitleSearch*>(lp);
    char text[256] = {};
    ::GetWindowTextA(hwnd, text, sizeof text);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    if (std::string(text) == search->title && (!search->processId || pid == search->processId))
        search->found.push_back(hwnd);
    return TRUE;
}

std::vector<HWND> FindByTitle(const char* title, DWORD processId) {
    TitleSearch search{title, processId, {}};
    ::EnumWindows(&CollectByTitle, reinterpret_cast<LPARAM>(&search));
    return search.found;
}
}  // namespace

HWND WaitForWindow(const char* title, DWORD ms, DWORD processId) {
    DWORD start = ::GetTickCount();
    do {
        for (HWND hwnd : FindByTitle(title, processId))
            if (::IsWindowVisible(hwnd)) return hwnd;
        ::Sleep(50);
    } while (::GetTickCount() - start < ms);
    return nullptr;
}

int CountWindows(const char* title) {
    return static_cast<int>(FindByTitle(title, 0).size());
}

}  // namespace e2e
