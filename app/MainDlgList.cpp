// The output list and the commands around it: opening recordings, the output
// folder, the converter and snapshots.
#include <windows.h>

#include <io.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>
#include <cstring>

#include "app/MainDlg.h"
#include "app/Snapshot.h"
#include "engine/ConfigFile.h"
#include "engine/RecordState.h"
#include "framework/Process.h"

void CMainDlg::RefreshList() {
    m_list.Refresh(m_clips);
    m_list.Invalidate(TRUE);
}

void CMainDlg::AddRecording(const std::string& path, const std::string& fileName,
                            const std::string& durationText) {
    ClipRecord record;
    record.durationText = durationText;
    record.path = path;
    record.fileName = fileName;
    m_clips.push_back(record);
    RefreshList();
    ::SetWindowPos(m_list, nullptr, 15, 100, 480, 360, SWP_NOZORDER | SWP_SHOWWINDOW);
}

void CMainDlg::HideEmptyList() {
    if (m_clips.empty())
        ::SetWindowPos(m_list, nullptr, 26, 147, 480, 244, SWP_NOZORDER | SWP_HIDEWINDOW);
}

bool CMainDlg::SelectClickedRow() {
    m_selectedIndex = m_list.GetFirstSelected();
    if (m_selectedIndex < 0 || m_selectedIndex >= static_cast<int>(m_clips.size())) return false;
    m_currentFile = m_clips[m_selectedIndex].path;
    return true;
}

LRESULT CMainDlg::OnListClick(int, NMHDR*, BOOL&) {
    if (!SelectClickedRow()) return 0;
    m_playerState = kPlayerFileChosen;  // nothing plays in this window
    m_fileHasVideo = 1;
    return 0;
}

LRESULT CMainDlg::OnListDblClk(int, NMHDR*, BOOL&) {
    if (!SelectClickedRow()) return 0;
    ::ShellExecuteA(m_hWnd, "open", m_currentFile.c_str(), nullptr, nullptr, SW_SHOW);
    return 0;
}

LRESULT CMainDlg::OnRemoveSelected(WORD, WORD, HWND, BOOL&) {
    const int first = m_list.GetFirstSelected();
    const int count = static_cast<int>(m_list.SendMessage(LVM_GETSELECTEDCOUNT));
    RemoveClipRun(m_clips, first, count);
    RefreshList();
    HideEmptyList();
    return 0;
}

LRESULT CMainDlg::OnClearAll(WORD, WORD, HWND, BOOL&) {
    m_clips.clear();
    RefreshList();
    HideEmptyList();
    return 0;
}

LRESULT CMainDlg::OnOpenOutputFolder(WORD, WORD, HWND, BOOL&) {
    ::ShellExecuteA(nullptr, "open", OutputFieldText().c_str(), nullptr, nullptr, SW_SHOW);
    return 0;
}

LRESULT CMainDlg::OnChangeOutputFolder(WORD, WORD, HWND, BOOL&) {
    BROWSEINFOA info{};
    info.pszDisplayName = nullptr;
    info.lpszTitle = "Output Folder";
    if (LPITEMIDLIST chosen = ::SHBrowseForFolderA(&info)) {
        char path[MAX_PATH] = {};
        ::SHGetPathFromIDListA(chosen, path);
        IMalloc* allocator = nullptr;
        if (FAILED(::SHGetMalloc(&allocator)) || !allocator) return 0;
        allocator->Free(chosen);
        allocator->Release();
        if (std::strlen(path) >= 2) ::SetDlgItemTextA(m_hWnd, IDC_OUTPUT_FOLDER, path);
    }
    // Also after a cancel: the field's text, typed or not, is what is kept.
    config::WriteOutputFolder(OutputFieldText());
    return 0;
}

LRESULT CMainDlg::OnConverter(WORD, WORD, HWND, BOOL&) {
    LaunchConverter();
    return 0;
}

void CMainDlg::LaunchConverter() {
    fw::StartProcess("ClipForge.exe");
}

LRESULT CMainDlg::OnSnapshot(WORD, WORD, HWND, BOOL&) {
    if (m_playerState == kPlayerEmpty || !m_snapshotBuffer) return 0;
    // Without a selected row there is no recording to name the file after.
    if (m_selectedIndex < 0 || m_selectedIndex >= static_cast<int>(m_clips.size())) return 0;
    const std::string base = NextSnapshotBaseName(
        m_snapshotFolder, m_clips[m_selectedIndex].fileName,
        [](const std::string& path) { return _access(path.c_str(), 0) == 0; });
    const std::vector<uint8_t> file =
        EncodeSnapshotBmp(m_snapshotBuffer.get(), m_previewWidth, m_previewHeight);
    if (file.empty()) return 0;
    if (FILE* out = std::fopen((m_snapshotFolder + "\\" + base + ".bmp").c_str(), "wb")) {
        std::fwrite(file.data(), 1, file.size(), out);
        std::fclose(out);
    }
    return 0;
}

LRESULT CMainDlg::OnOpenSnapshotFolder(WORD, WORD, HWND, BOOL&) {
    ::ShellExecuteA(nullptr, "open", m_snapshotFolder.c_str(), nullptr, nullptr, SW_SHOW);
    ::InvalidateRect(GetDlgItem(IDC_PREVIEW_AREA), nullptr, TRUE);
    return 0;
}
