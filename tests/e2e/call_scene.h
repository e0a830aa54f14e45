// A video call as the recorder meets it: the recorder running with its own
// output folder, the companion program, and the stand-in messenger with one
// conversation window whose far end plays a tone into the virtual device while
// the microphone hears another tone.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/e2e/recorder_session.h"
#include "tests/support/process_helpers.h"

namespace e2e {

inline constexpr int kFarEndHz = 1000;
inline constexpr int kMicrophoneHz = 440;
inline constexpr const char* kContact = "alice@example.com";
inline constexpr const char* kCallTitle = "Call with Alice - <alice@example.com>";
// Where the conversation window sits: (600, 200), 480 x 360.
inline constexpr RECT kCallWindow{600, 200, 1080, 560};

class CallScene {
public:
    // Starts everything; check Ready() before use. The recorder's output
    // folder (config.ini's FilePath) is a fresh scratch folder unless
    // `outputFolder` names another; the recorder is the build's unless
    // `programFolder` names another.
    explicit CallScene(const std::string& outputFolder = {},
                       const std::string& programFolder = ProgramFolder());
    ~CallScene();

    bool Ready() const { return m_ready; }
    RecorderSession& Recorder() { return *m_recorder; }
    HWND Conversation() const { return m_conversation; }
    // The output folder.
    const std::string& Folder() const { return m_output; }
    std::string CompanionLog() const { return m_folder + "\\companion.log"; }

    // Presses the record-call button and waits until the recording runs
    // (the main window minimised, the floating stop window shown).
    bool StartCallRecording(DWORD ms = 10000);
    // The floating stop window while it is shown, else nullptr.
    HWND StopWindow() const;
    // Waits until the output list holds `rows` rows.
    bool WaitForRows(size_t rows, DWORD ms = 20000) const;
    // The recordings in the output folder, oldest name first.
    std::vector<std::string> Recordings() const;

private:
    std::string m_folder;  // scratch: the companion's log, and the output by default
    std::string m_output;
    std::unique_ptr<RecorderSession> m_recorder;
    ChildProcess m_companion;
    ChildProcess m_messenger;
    HWND m_conversation = nullptr;
    bool m_ready = false;
};

}  // namespace e2e
