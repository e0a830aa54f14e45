#include "tests/win32/region_recording_driver.h"

#include <cstdio>

#include "engine/OutputPath.h"
#include "engine/RecordingSession.h"
#include "engine/RecordThread.h"
#include "tests/support/ui_helpers.h"

TestRecording::~TestRecording() {
    if (m_thread) {
        Stop();
        ::CloseHandle(m_thread);
    }
}

bool TestRecording::Start(const ScreenRect& rect, HWND mainWindow) {
    static int count = 0;
    char name[64];
    std::snprintf(name, sizeof name, "region-test-%lu-%d.avi", ::GetCurrentProcessId(), ++count);
    m_fileName = name;
    ::DeleteFileA(Path().c_str());

    CRecordState& state = m_session.State;
    state.MainWindow = mainWindow;
    state.CaptureRect = rect;
    state.RecordFileName = m_fileName;
    state.VideoStarted = 0;
    state.Recording = 1;
    DWORD id = 0;
    m_thread = ::CreateThread(nullptr, 0, RecordThread, &m_session, CREATE_SUSPENDED, &id);
    if (!m_thread) {
        state.Recording = 0;
        return false;
    }
    ::ResumeThread(m_thread);
    return true;
}

bool TestRecording::Stop(DWORD timeoutMs) {
    m_session.State.Recording = 0;
    if (!m_thread) return true;
    return ui::PumpUntil([&] { return !Running(); }, timeoutMs);
}

bool TestRecording::Running() const {
    return m_thread && ::WaitForSingleObject(m_thread, 0) == WAIT_TIMEOUT;
}

std::string TestRecording::Path() const {
    return OutputFolder() + "\\" + m_fileName;
}
