#include "tests/win32/region_recording_driver.h"

#include <cstdio>

#include "engine/OutputPath.h"
#include "engine/RecordState.h"
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

    g_recordState.MainWindow = mainWindow;
    g_recordState.CaptureRect = rect;
    g_recordState.RecordFileName = m_fileName;
    g_recordState.VideoStarted = 0;
    g_recordState.Recording = 1;
    DWORD id = 0;
    m_thread = ::CreateThread(nullptr, 0, RecordThread, &g_recordState, CREATE_SUSPENDED, &id);
    if (!m_thread) {
        g_recordState.Recording = 0;
        return false;
    }
    ::ResumeThread(m_thread);
    return true;
}

bool TestRecording::Stop(DWORD timeoutMs) {
    g_recordState.Recording = 0;
    if (!m_thread) return true;
    return ui::PumpUntil([&] { return !Running(); }, timeoutMs);
}

bool TestRecording::Running() const {
    return m_thread && ::WaitForSingleObject(m_thread, 0) == WAIT_TIMEOUT;
}

std::string TestRecording::Path() const {
    return OutputFolder() + "\\" + m_fileName;
}
