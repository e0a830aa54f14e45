#include "tests/e2e/recorder_session.h"

#include <commctrl.h>

#include <fstream>
#include <iterator>

#include "app/AppTitle.h"
#include "res/resource.h"
#include "tests/support/ui_helpers.h"

namespace e2e {

namespace {

struct StopWindowSearch {
    DWORD processId;
    HWND found = nullptr;
};

BOOL CALLBACK FindStopWindow(HWND hwnd, LPARAM lp) {
    auto* search = reinterpret_cast<StopWindowSearch*>(lp);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    if (pid == search->processId && ::IsWindowVisible(hwnd) && ::GetDlgItem(hwnd, IDC_FLOAT_STOP)) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

RecorderSession::RecorderSession(const std::optional<std::string>& outputFolder,
                                 const std::string& moreConfig, const std::string& programFolder)
    : m_config(programFolder + "\\config.ini") {
    ::DeleteFileA(m_config.c_str());
    if (outputFolder) {
        std::ofstream(m_config, std::ios::binary) << "[General]\r\nFilePath=" << *outputFolder << "\r\n"
                                                  << moreConfig;
    }
    m_process = ChildProcess::Start("\"" + programFolder + "\\Lumiskop.exe\"", programFolder);
    if (m_process.Started()) m_main = WaitForWindow(kAppTitle, 30000, m_process.Id());
}

RecorderSession::~RecorderSession() {
    Close();
    m_process.Kill();
    ::DeleteFileA(m_config.c_str());
}

std::string RecorderSession::ConfigText() const {
    std::ifstream in(m_config, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string RecorderSession::ControlText(int id) const {
    // GetWindowText does not ask another process's controls for their text.
    char text[1024] = {};
    DWORD_PTR length = 0;
    // No SMTO_ABORTIFHUNG: a program still starting on a busy machine counts
    // as hung and would answer with nothing.
    ::SendMessageTimeoutA(Control(id), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                          SMTO_NORMAL, 20000, &length);
    return text;
}

HWND RecorderSession::StopWindow() const {
    StopWindowSearch search{m_process.Id()};
    ::EnumWindows(&FindStopWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool RecorderSession::ClickControl(int id) const {
    return ui::ClickWindow(Control(id));
}

bool RecorderSession::PressKey(const char* key, HWND target) const {
    return ui::FocusForKeys(target ? target : m_main) && ui::Xdo(std::string("key ") + key);
}

std::vector<RecorderSession::Row> RecorderSession::ListRows() const {
    std::vector<Row> rows;
    HWND list = Control(IDC_OUTPUT_LIST);
    const int count = static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    HANDLE process = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                                   m_process.Id());
    if (!process) return rows;
    for (int row = 0; row < count; ++row)
        rows.push_back({ListItemText(list, process, row, 1), ListItemText(list, process, row, 2)});
    ::CloseHandle(process);
    return rows;
}

POINT RecorderSession::RowCentre(int row) const {
    HWND list = Control(IDC_OUTPUT_LIST);
    RECT rect{LVIR_BOUNDS, 0, 0, 0};
    HANDLE process = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                                   m_process.Id());
    if (process) {
        if (auto* remote = static_cast<RECT*>(
                ::VirtualAllocEx(process, nullptr, sizeof rect, MEM_COMMIT, PAGE_READWRITE))) {
            ::WriteProcessMemory(process, remote, &rect, sizeof rect, nullptr);
            ::SendMessageA(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(remote));
            ::ReadProcessMemory(process, remote, &rect, sizeof rect, nullptr);
            ::VirtualFreeEx(process, remote, 0, MEM_RELEASE);
        }
        ::CloseHandle(process);
    }
    // The first column has no width: aim at the file name.
    POINT centre{rect.left + 120, (rect.top + rect.bottom) / 2};
    ::ClientToScreen(list, &centre);
    return centre;
}

bool RecorderSession::CloseWithButton(DWORD ms) {
    return ClickControl(IDC_CLOSE) && m_process.WaitForExit(ms);
}

bool RecorderSession::Close(DWORD ms) {
    if (!m_process.Running()) return true;
    if (m_main) ::PostMessageA(m_main, WM_CLOSE, 0, 0);
    return m_process.WaitForExit(ms);
}

std::vector<std::string> ReadLines(const std::string& path) {
    std::vector<std::string> lines;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);)
        if (!line.empty()) lines.push_back(line);
    return lines;
}

}  // namespace e2e
