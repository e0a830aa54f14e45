#include "tests/support/process_helpers.h"

#include <commctrl.h>

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
// Top-level windows whose title (or class) is `text`, of one process or all.
struct WindowSearch {
    const char* text;
    bool byClass;
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectMatching(HWND hwnd, LPARAM lp) {
    auto* search = reinterpret_cast<WindowSearch*>(lp);
    char text[256] = {};
    if (search->byClass)
        ::GetClassNameA(hwnd, text, sizeof text);
    else
        ::GetWindowTextA(hwnd, text, sizeof text);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    if (std::string(text) == search->text && (!search->processId || pid == search->processId))
        search->found.push_back(hwnd);
    return TRUE;
}

std::vector<HWND> FindWindows(const char* text, bool byClass, DWORD processId) {
    WindowSearch search{text, byClass, processId, {}};
    ::EnumWindows(&CollectMatching, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForVisible(const char* text, bool byClass, DWORD ms, DWORD processId) {
    HWND visible = nullptr;
    WaitUntil(
        [&] {
            for (HWND hwnd : FindWindows(text, byClass, processId))
                if (!visible && ::IsWindowVisible(hwnd)) visible = hwnd;
            return visible != nullptr;
        },
        ms);
    return visible;
}
}  // namespace

HWND WaitForWindow(const char* title, DWORD ms, DWORD processId) {
    return WaitForVisible(title, false, ms, processId);
}

HWND WaitForWindowOfClass(const char* className, DWORD ms, DWORD processId) {
    return WaitForVisible(className, true, ms, processId);
}

bool WaitUntil(const std::function<bool()>& condition, DWORD ms) {
    const DWORD start = ::GetTickCount();
    while (!condition()) {
        if (::GetTickCount() - start > ms) return false;
        ::Sleep(50);
    }
    return true;
}

int CountWindows(const char* title) {
    return static_cast<int>(FindWindows(title, false, 0).size());
}

// The item and its text buffer live in memory allocated inside that process.
std::string ListItemText(HWND list, HANDLE process, int row, int column) {
    constexpr SIZE_T kTextChars = 512;
    auto* remote = static_cast<char*>(::VirtualAllocEx(process, nullptr, sizeof(LVITEMW) + kTextChars * 2,
                                                       MEM_COMMIT, PAGE_READWRITE));
    if (!remote) return {};
    LVITEMW item{};
    item.iSubItem = column;
    item.cchTextMax = kTextChars;
    item.pszText = reinterpret_cast<wchar_t*>(remote + sizeof(LVITEMW));
    std::string text;
    if (::WriteProcessMemory(process, remote, &item, sizeof item, nullptr)) {
        ::SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(remote));
        wchar_t buffer[kTextChars] = {};
        if (::ReadProcessMemory(process, remote + sizeof(LVITEMW), buffer, (kTextChars - 1) * 2, nullptr)) {
            char utf8[kTextChars * 3] = {};
            ::WideCharToMultiByte(CP_UTF8, 0, buffer, -1, utf8, sizeof utf8 - 1, nullptr, nullptr);
            text = utf8;
        }
    }
    ::VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    return text;
}

}  // namespace e2e
