// Starting and watching the project's executables from a Windows test.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace e2e {

// The program folder (build/win32/bin), found from this test's own path.
std::string ProgramFolder();

// A started process; closes its handles and, if still running, ends it.
class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(ChildProcess&& other) noexcept;
    ChildProcess& operator=(ChildProcess&& other) noexcept;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Runs `commandLine` with `folder` as its current folder.
    static ChildProcess Start(const std::string& commandLine, const std::string& folder);

    bool Started() const { return m_info.hProcess != nullptr; }
    DWORD Id() const { return m_info.dwProcessId; }
    HANDLE Handle() const { return m_info.hProcess; }
    // True when the process ended within the time; its exit code goes to `code`.
    bool WaitForExit(DWORD ms, DWORD* code = nullptr) const;
    bool Running() const;
    void Kill();

private:
    PROCESS_INFORMATION m_info{};
};

// Polls for a visible top-level window with this title for up to `ms`.
HWND WaitForWindow(const char* title, DWORD ms, DWORD processId = 0);
// Polls for a visible top-level window of this class for up to `ms`.
HWND WaitForWindowOfClass(const char* className, DWORD ms, DWORD processId = 0);
// Waits until `condition` holds, polling every 50 ms; false when `ms` passed.
bool WaitUntil(const std::function<bool()>& condition, DWORD ms);
// Number of top-level windows with this title.
int CountWindows(const char* title);

// The text of a list-view cell in another process, in UTF-8, which `process`
// was opened on with PROCESS_VM_OPERATION, _READ and _WRITE.
std::string ListItemText(HWND list, HANDLE process, int row, int column);

}  // namespace e2e
