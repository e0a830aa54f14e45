#include "app/OutputList.h"

#include <commctrl.h>

#include "res/resource.h"

namespace {

HFONT ArialFont(int height, int weight) {
    return ::CreateFontA(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                         OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                         DEFAULT_PITCH | FF_SWISS, "Arial");
}

HIMAGELIST LoadImageStrip(int id, COLORREF mask) {
    return ::ImageList_LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), 16, 4, mask,
                                  IMAGE_BITMAP, LR_CREATEDIBSECTION);
}

constexpr int kFontHeight = 16;

}  // namespace

void COutputList::SetUp() {
    m_listFont.Reset(ArialFont(kFontHeight, FW_NORMAL));
    m_headerFont.Reset(ArialFont(kFontHeight, 800));
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_listFont.Get()), TRUE);
    ::SendMessageA(Header(), WM_SETFONT, reinterpret_cast<WPARAM>(m_headerFont.Get()), TRUE);

    if (HIMAGELIST images = LoadImageStrip(IDB_LIST_IMAGES, RGB(255, 255, 255)))
        SendMessage(LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
    if (HIMAGELIST images = LoadImageStrip(IDB_HEADER_IMAGES, RGB(255, 0, 255)))
        ::SendMessageA(Header(), HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));

    InsertColumn(0, " ", LVCFMT_CENTER, 0);
    InsertColumn(1, "FileName", LVCFMT_CENTER, 240);
    InsertColumn(2, "Duration", LVCFMT_CENTER, 160);
    SetHeaderCheckbox(0, 0);
    SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
}

void COutputList::Refresh(const ClipList& clips, int selected) {
    ::LockWindowUpdate(m_hWnd);
    DeleteAllRows();
    SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_GRIDLINES, clips.empty() ? 0 : LVS_EX_GRIDLINES);
    const COLORREF text = ::GetSysColor(COLOR_WINDOWTEXT);
    const COLORREF back = ::GetSysColor(COLOR_WINDOW);
    for (size_t j = 0; j < clips.size(); ++j) {
        const int row = static_cast<int>(j);
        InsertRow(row, " ", text, back);
        SetCellText(row, 1, clips[j].fileName.c_str());
        SetCheckbox(row, 0, clips[j].checked);
        SetCellText(row, 2, clips[j].durationText.c_str());
    }
    if (selected >= 0 && selected < static_cast<int>(clips.size())) {
        LVITEMA item{};
        item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(&item));
    }
    ::LockWindowUpdate(nullptr);
}

void COutputList::SelectOnly(int row) {
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED;
    SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
    item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

POINT COutputList::MenuPointFor(int row) const {
    RECT bounds{};
    bounds.left = LVIR_BOUNDS;
    POINT at{0, 0};
    if (row >= 0 && SendMessage(LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&bounds)))
        at = {bounds.left + 16, bounds.bottom};
    ::ClientToScreen(m_hWnd, &at);
    return at;
}

bool COutputList::IsMenuKey(UINT key) {
    return key == VK_APPS || (key == VK_F10 && (::GetKeyState(VK_SHIFT) & 0x8000));
}

void COutputList::OnKeyDown(UINT key, UINT, UINT) {
    if (IsMenuKey(key)) {
        ::SendMessageA(::GetParent(m_hWnd), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(m_hWnd), MAKELPARAM(-1, -1));
    } else if (key == VK_DELETE) {
        ::PostMessageA(::GetParent(m_hWnd), WM_COMMAND, MAKEWPARAM(IDC_REMOVE, BN_CLICKED), 0);
    } else {
        SetMsgHandled(FALSE);
    }
}

void COutputList::OnKeyUp(UINT key, UINT, UINT) {
    if (!IsMenuKey(key)) SetMsgHandled(FALSE);
}
