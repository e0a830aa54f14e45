#include "tests/e2e/call_scene.h"

#include <algorithm>

#include "res/resource.h"
#include "tests/support/fixture_paths.h"
#include "tests/support/host_command.h"
#include "tests/support/media_probe.h"
#include "tests/support/sound_rig.h"

namespace e2e {

CallScene::CallScene(const std::string& outputFolder, const std::string& programFolder)
    : m_folder(MakeScratchFolder("lumiskop-call")),
      m_output(outputFolder.empty() ? m_folder : outputFolder) {
    m_recorder = std::make_unique<RecorderSession>(m_output, std::string(), programFolder);
    if (!m_recorder->Main()) return;
    // The messenger comes after the recorder's start-up check, as users are
    // asked to do; otherwise two questions would wait for an answer.
    ::Sleep(1500);
    m_companion = ChildProcess::Start("\"" + FixtureFolder() + "\\Dedida.exe\" \"--log=" +
                                          CompanionLog() + "\"",
                                      FixtureFolder());
    const std::string place = ";at=" + std::to_string(kCallWindow.left) + "," +
                              std::to_string(kCallWindow.top) + "," +
                              std::to_string(kCallWindow.right - kCallWindow.left) + "," +
                              std::to_string(kCallWindow.bottom - kCallWindow.top);
    m_messenger = ChildProcess::Start("\"" + FixtureFolder() +
                                          "\\msnmsgr.exe\" \"--window=class=IMWindowClass;title=" +
                                          kCallTitle + place + "\" --tone=" +
                                          std::to_string(kFarEndHz) +
                                          " \"--device=Quorvanta VAudio\"",
                                      FixtureFolder());
    m_conversation = WaitForWindow(kCallTitle, 15000, m_messenger.Id());
    if (!m_conversation || !WaitForWindow("Dedida", 15000, m_companion.Id())) return;
    m_ready = soundrig::StartTone(soundrig::kMicrophoneSink, kMicrophoneHz, 120);
}

CallScene::~CallScene() {
    m_recorder.reset();  // the recorder first: it may still be recording the call
    if (m_conversation) ::PostMessageA(m_conversation, WM_CLOSE, 0, 0);
    m_messenger.WaitForExit(5000);
    hostcmd::Run("pkill -f 'sine " + std::to_string(kMicrophoneHz) + "' ; true", 10000);
    RemoveScratchFolder(m_folder);
}

bool CallScene::StartCallRecording(DWORD ms) {
    return m_recorder->ClickControl(IDC_RECORD_CALL) &&
           WaitUntil([&] { return ::IsIconic(m_recorder->Main()) && StopWindow(); }, ms);
}

HWND CallScene::StopWindow() const {
    return m_recorder->StopWindow();
}

bool CallScene::WaitForRows(size_t rows, DWORD ms) const {
    return WaitUntil([&] { return m_recorder->ListRows().size() >= rows; }, ms);
}

std::vector<std::string> CallScene::Recordings() const {
    std::vector<std::string> names = FilesIn(m_output, "*.avi");
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace e2e
