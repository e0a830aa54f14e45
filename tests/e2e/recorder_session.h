// Lumiskop.exe started and driven as a user drives it: real clicks and keys
// through the X server, the output list read out of the running program, and
// the program closed with its own close button.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/support/process_helpers.h"

namespace e2e {

class RecorderSession {
public:
    // Writes config.ini into the program folder (the build's unless
    // `programFolder` names another) with `outputFolder` as its FilePath (no
    // config.ini at all when there is none), and `moreConfig` after it, and
    // starts the program. The destructor ends a program still running and
    // removes the config.ini again.
    explicit RecorderSession(const std::optional<std::string>& outputFolder,
                             const std::string& moreConfig = {},
                             const std::string& programFolder = ProgramFolder());
    // config.ini as the program left it.
    std::string ConfigText() const;
    ~RecorderSession();
    RecorderSession(const RecorderSession&) = delete;
    RecorderSession& operator=(const RecorderSession&) = delete;

    // The main window once it is visible (nullptr when it never showed).
    HWND Main() const { return m_main; }
    ChildProcess& Process() { return m_process; }

    HWND Control(int id) const { return ::GetDlgItem(m_main, id); }
    const std::string& ConfigPath() const { return m_config; }
    // The floating stop window while it is shown, else nullptr.
    HWND StopWindow() const;
    std::string ControlText(int id) const;
    // A left click in the middle of a control of the main window.
    bool ClickControl(int id) const;
    // Types `key` (an xdotool key name such as "F9") with the keyboard focus
    // on `target` (the main window when null).
    bool PressKey(const char* key, HWND target = nullptr) const;

    // The output list's rows as the user reads them: file name and duration.
    struct Row {
        std::string fileName;
        std::string duration;
    };
    std::vector<Row> ListRows() const;
    // Screen point of the middle of a row of the output list.
    POINT RowCentre(int row) const;

    // Clicks the close button and waits for the program to end.
    bool CloseWithButton(DWORD ms = 20000);
    // Closes the main window (as the system does) and waits for the end.
    bool Close(DWORD ms = 20000);

private:
    std::string m_config;
    ChildProcess m_process;
    HWND m_main = nullptr;
};

// The lines of a text file (none when it is missing).
std::vector<std::string> ReadLines(const std::string& path);

}  // namespace e2e
