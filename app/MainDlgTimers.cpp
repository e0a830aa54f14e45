// Hotkeys and the three timers: the start-up check, the elapsed seconds and
// the blinking icon.
#include "recordings/ElapsedTime.h"
#include "app/Hotkeys.h"
#include "app/MainDlg.h"
#include "engine/HotkeyLinks.h"
#include "engine/RecordParams.h"
#include "engine/RecordState.h"
#include "region/RegionSelector.h"

void CMainDlg::RegisterHotkeys() {
    for (int id = 0; id < hotkeys::kSlotCount; ++id) ::UnregisterHotKey(m_hWnd, id);
    for (int id = 0; id < hotkeys::kSlotCount; ++id) {
        HotkeySlot& slot = g_hotkeys[id];
        if (slot.key == hotkeys::kNoKey) continue;
        if (!::RegisterHotKey(m_hWnd, id, ModifierBits(slot), static_cast<UINT>(slot.key)))
            slot = HotkeySlot{};  // taken by another program: no key, no action
    }
    SetRegionCancelKey(g_hotkeys[hotkeys::kStopOrCancelRegion].key);
}

void CMainDlg::OnHotKey(int id, UINT, UINT) {
    const bool recording = g_recordState.Recording.load() != 0;
    switch (id) {
    case hotkeys::kConverter:
        if (!recording && ConvertArmed == 1) {
            ConvertArmed = 0;
            LaunchConverter();
        }
        break;
    case hotkeys::kStopRecording:
        if (recording) OnRecordStop();
        break;
    case hotkeys::kStopOrCancelRegion:
        // While the key is registered here the selector never sees it.
        if (recording)
            OnRecordStop();
        else
            CancelRegionSelector();
        break;
    default:
        break;
    }
}

void CMainDlg::OnTimer(UINT_PTR id) {
    switch (id) {
    case kStartupTimerId:
        OnStartupCheck();
        break;
    case kCallWatchTimerId:
        WatchCalls();
        break;
    case engine::kRecordingTimerId:
        ++g_recordState.ElapsedSeconds;
        ::SetDlgItemTextA(m_hWnd, IDC_ELAPSED, FormatElapsed(g_recordState.ElapsedSeconds).c_str());
        break;
    case engine::kIconTimerId:
        if (m_blinkPhase % 2 == 0) {
            SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_appIcon));
            m_blinkPhase = 1;
        } else {
            SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_blinkIcon));
            m_blinkPhase = 0;
        }
        break;
    default:
        break;
    }
}

void CMainDlg::OnStartupCheck() {
    ::KillTimer(m_hWnd, kStartupTimerId);
    if (m_finder.FindMessengerProcess()) {
        // The wording, slips included, is the program's own and stays as it is.
        ::MessageBoxA(m_hWnd,
                      "To ensure recording audio successfully,please launch the Lumiskop first "
                      "and startup the Live Messenger.",
                      "Information", MB_OK | MB_ICONINFORMATION);
        if (::MessageBoxA(m_hWnd, "Do u want to exit the Window Live Messenger Now?",
                          "Information", MB_YESNO | MB_ICONQUESTION) == IDYES)
            m_router.TerminateProcessByName(m_finder.MessengerExeName);
    }
    m_router.SelectVirtualPlayback();
}

void CMainDlg::StartBlink() {
    ::SetTimer(m_hWnd, engine::kIconTimerId, engine::kIconTimerMs, nullptr);
}

void CMainDlg::StopBlink() {
    ::KillTimer(m_hWnd, engine::kIconTimerId);
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_appIcon));
}
