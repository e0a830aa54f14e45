// Hotkeys and the window's own timer, the start-up check (the recording's
// timers are the recording controller's, the call watch's its own).
#include "app/Hotkeys.h"
#include "app/MainDlg.h"

void CMainDlg::RegisterHotkeys() {
    for (int id = 0; id < hotkeys::kSlotCount; ++id) ::UnregisterHotKey(m_hWnd, id);
    for (int id = 0; id < hotkeys::kSlotCount; ++id) {
        HotkeySlot& slot = g_hotkeys[id];
        if (slot.key == hotkeys::kNoKey) continue;
        if (!::RegisterHotKey(m_hWnd, id, ModifierBits(slot), static_cast<UINT>(slot.key)))
            slot = HotkeySlot{};  // taken by another program: no key, no action
    }
    m_recorder.Session().Hotkeys.RegionCancelKey = g_hotkeys[hotkeys::kStopOrCancelRegion].key;
}

void CMainDlg::OnHotKey(int id, UINT, UINT) {
    const bool recording = m_recorder.Recording();
    std::atomic<int32_t>& convertArmed = m_recorder.Session().Hotkeys.ConvertArmed;
    switch (id) {
    case hotkeys::kConverter:
        if (!recording && convertArmed == 1) {
            convertArmed = 0;
            LaunchConverter();
        }
        break;
    case hotkeys::kStopRecording:
        if (recording) m_recorder.Stop();
        break;
    case hotkeys::kStopOrCancelRegion:
        // While the key is registered here the selector never sees it.
        if (recording)
            m_recorder.Stop();
        else
            m_recorder.CancelRegion();
        break;
    default:
        break;
    }
}

void CMainDlg::OnTimer(UINT_PTR id) {
    if (id == kStartupTimerId) OnStartupCheck();
}

void CMainDlg::OnStartupCheck() {
    ::KillTimer(m_hWnd, kStartupTimerId);
    CCallWindowFinder& finder = m_recorder.Finder();
    if (finder.FindMessengerProcess()) {
        // The wording, slips included, is the program's own and stays as it is.
        ::MessageBoxA(m_hWnd,
                      "To ensure recording audio successfully,please launch the Lumiskop first "
                      "and startup the Live Messenger.",
                      "Information", MB_OK | MB_ICONINFORMATION);
        if (::MessageBoxA(m_hWnd, "Do u want to exit the Window Live Messenger Now?",
                          "Information", MB_YESNO | MB_ICONQUESTION) == IDYES)
            m_router.TerminateProcessByName(finder.MessengerExeName);
    }
    m_router.SelectVirtualPlayback();
}
