// The output list's context menu: a right-click on a row (which selects it
// first), the menu key or Shift+F10 open it on the selected row; its items
// send the commands of the hidden buttons, and greyed items show what does
// not apply now.
#include "app/MainDlg.h"

#include "app/ListMenu.h"
#include "framework/Handle.h"
#include "framework/Process.h"

namespace {

constexpr POINT kFromKeyboard{-1, -1};

}  // namespace

uint32_t CMainDlg::ListMenuState() const {
    uint32_t state = 0;
    if (m_list.GetFirstSelected() >= 0 && SelectedClip()) state |= listmenu::kRowChosen;
    if (!m_clips.empty()) state |= listmenu::kListNotEmpty;
    if (!m_recorder.Busy()) state |= listmenu::kIdle;
    if (m_fileHasVideo) state |= listmenu::kHasPictures;
    if (m_callWatcher.AutoRecordOn()) state |= listmenu::kAutoRecordOn;
    return state;
}

void CMainDlg::OnContextMenu(HWND clicked, POINT screen) {
    if (clicked != m_list.m_hWnd) {
        SetMsgHandled(FALSE);
        return;
    }
    const bool fromKeyboard = screen.x == kFromKeyboard.x && screen.y == kFromKeyboard.y;
    if (!fromKeyboard) {
        // A right-click on a row that is not selected selects it alone.
        LVHITTESTINFO hit{};
        hit.pt = screen;
        ::ScreenToClient(m_list, &hit.pt);
        const int row = static_cast<int>(m_list.SendMessage(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
        if (row >= 0 && !(m_list.SendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED) & LVIS_SELECTED))
            m_list.SelectOnly(row);
    }
    // The commands work on the chosen recording: the row the menu is on.
    const int row = m_list.GetFirstSelected();
    if (row >= 0 && row != m_selectedIndex) ChooseSelectedRow();
    const POINT at = fromKeyboard ? m_list.MenuPointFor(row) : screen;

    fw::Menu menu(::CreatePopupMenu());
    if (!menu) return;
    const uint32_t state = ListMenuState();
    for (const listmenu::Item& item : listmenu::Items()) {
        if (!item.text) {
            ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        UINT flags = MF_STRING;
        if (!listmenu::Enabled(item, state)) flags |= MF_GRAYED;
        if (listmenu::Checked(item, state)) flags |= MF_CHECKED;
        ::AppendMenuA(menu, flags, static_cast<UINT_PTR>(item.command), item.text);
    }
    // The chosen item arrives as the command it names, like its button's.
    ::TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, m_hWnd, nullptr);
}

const ClipRecord* CMainDlg::SelectedClip() const {
    if (m_selectedIndex < 0 || m_selectedIndex >= static_cast<int>(m_clips.size())) return nullptr;
    return &m_clips[static_cast<size_t>(m_selectedIndex)];
}

void CMainDlg::OnListPlay(UINT, int, HWND) {
    if (SelectedClip()) OpenCurrentFile();
}

void CMainDlg::OnListConvert(UINT, int, HWND) {
    const ClipRecord* clip = SelectedClip();
    if (!clip || m_recorder.Busy()) return;
    // The converter's window converts this one recording, with its progress.
    if (!fw::StartProcess("ClipForge.exe --window-convert \"" + clip->path + "\""))
        SetStatus("The converter ClipForge.exe could not be started");
}
