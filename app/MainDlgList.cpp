// The output list and the commands around it: opening recordings, the output
// folder, the converter and snapshots.
#include <windows.h>

#include <io.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "app/MainDlg.h"
#include "app/Snapshot.h"
#include "app/StatusText.h"
#include "editing/TrimDlg.h"
#include "engine/ConfigFile.h"
#include "framework/Process.h"
#include "playback/MediaDecoder.h"
#include "playback/PictureAt.h"

extern "C" {
#include <libavutil/imgutils.h>
}

namespace {
constexpr int kPreviewOutputWidth = 280;
constexpr int kPreviewOutputHeight = 210;
}  // namespace

void CMainDlg::RefreshList() {
    m_list.Refresh(m_clips, m_selectedIndex);
    m_list.Invalidate(TRUE);
}

void CMainDlg::AddRecording(const std::string& path, const std::string& fileName,
                            const std::string& durationText) {
    ClipRecord record;
    record.durationText = durationText;
    record.path = path;
    record.fileName = fileName;
    m_clips.push_back(record);
    ForgetStaleEdits(path);
    RefreshList();
    ::SetWindowPos(m_list, nullptr, 15, 100, 480, 360, SWP_NOZORDER | SWP_SHOWWINDOW);
}

bool CMainDlg::CorrectListedLength(const std::string& path, const std::string& durationText) {
    // The latest row of that file: a name can come back after a clear.
    auto row = std::find_if(m_clips.rbegin(), m_clips.rend(),
                            [&](const ClipRecord& clip) { return clip.path == path; });
    if (row == m_clips.rend()) return false;
    row->durationText = durationText;
    RefreshList();
    return true;
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
    ChooseSelectedRow();
    return 0;
}

void CMainDlg::ChooseSelectedRow() {
    if (!SelectClickedRow()) return;
    LoadSelectedRecording();
    m_playerState = PlayState::Idle;  // nothing plays in this window
}

void CMainDlg::ReadClipMedia(ClipRecord& clip) {
    CMediaDecoder decoder;
    decoder.Init();
    MediaInfo info{};
    if (decoder.Open(clip.path.c_str()) == 1 && decoder.GetInfo(&info) == 1 && info.duration > 0)
        SetClipMedia(clip, info.duration, info.hasVideo ? info.width : 0, info.hasVideo ? info.height : 0);
}

LRESULT CMainDlg::OnRecordFileClosed(UINT, WPARAM, LPARAM, BOOL& handled) {
    // The worker has closed its file: now its length can be read.
    bool changed = false;
    for (ClipRecord& clip : m_clips) {
        if (clip.mediaRead) continue;
        ReadClipMedia(clip);
        changed |= clip.mediaRead;
    }
    if (changed) RefreshList();
    handled = FALSE;  // others may want to know too
    return 0;
}

void CMainDlg::LoadSelectedRecording() {
    ClipRecord& clip = m_clips[m_selectedIndex];
    const bool fileBeingClosed = m_recorder.WorkerRunning();
    if (!clip.mediaRead && !fileBeingClosed) {
        ReadClipMedia(clip);
        if (clip.mediaRead) RefreshList();
    }
    m_fileHasVideo = 0;
    m_snapshotBuffer.clear();
    PictureAt picture;
    if (!DecodePictureAt(clip.path, m_previewPosition, picture)) return;
    m_fileHasVideo = 1;
    // The snapshot reads chroma planes of the rounded-up half size; an odd
    // size gets its planes laid out that way, the extra column and row grey.
    const int w = picture.width, h = picture.height;
    const int chromaWidth = (w + 1) / 2, chromaHeight = (h + 1) / 2;
    m_snapshotBuffer.assign(size_t(w) * h + 2 * size_t(chromaWidth) * chromaHeight, 128);
    const uint8_t* source = picture.yuv.data();
    uint8_t* target = m_snapshotBuffer.data();
    av_image_copy_plane(target, w, source, w, w, h);
    for (int plane = 0; plane < 2; ++plane) {
        const uint8_t* from = source + size_t(w) * h + plane * size_t(w / 2) * (h / 2);
        uint8_t* to = target + size_t(w) * h + plane * size_t(chromaWidth) * chromaHeight;
        av_image_copy_plane(to, chromaWidth, from, w / 2, w / 2, h / 2);
    }
    if (w != m_previewWidth || h != m_previewHeight || !m_previewSurface.Takes(w, h)) {
        m_previewWidth = w;
        m_previewHeight = h;
        CreatePreviewSurface();
    }
    m_previewSurface.Show(picture.yuv.data());
}

void CMainDlg::CreatePreviewSurface() {
    m_previewSurface.Create(GetDlgItem(IDC_PREVIEW_AREA), m_previewWidth, m_previewHeight,
                            kPreviewOutputWidth, kPreviewOutputHeight);
}

EditingContext CMainDlg::MakeEditingContext() {
    EditingContext context;
    context.owner = m_hWnd;
    context.clips = &m_clips;
    context.selectedIndex = m_selectedIndex;
    context.sourceWidth = m_previewWidth;
    context.sourceHeight = m_previewHeight;
    context.hasVideo = m_fileHasVideo != 0;
    context.position = m_previewPosition;
    context.settings = &m_editSettings;
    context.redrawList = [this] { RefreshList(); };
    return context;
}

INT_PTR CMainDlg::RunEditingDialog(fw::CDialog& dialog) {
    // Nothing plays in this window, so there is no preview to stop first.
    if (m_playerState == PlayState::NothingChosen || m_playerState == PlayState::NotEditable) return -1;
    // The dialog stores into this row; recordings added meanwhile go after it.
    const int edited = m_selectedIndex;
    m_previewSurface.Destroy();
    const INT_PTR result = dialog.DoModal();
    CreatePreviewSurface();
    ShowPreviewPicture();
    if (result == IDOK) SaveEditsOf(edited);
    return result;
}

void CMainDlg::ShowPreviewPicture() {
    if (!m_fileHasVideo || m_selectedIndex < 0 || m_selectedIndex >= static_cast<int>(m_clips.size())) return;
    PictureAt picture;
    if (DecodePictureAt(m_clips[m_selectedIndex].path, m_previewPosition, picture) &&
        m_previewSurface.Takes(picture.width, picture.height))
        m_previewSurface.Show(picture.yuv.data());
}

void CMainDlg::OnTrim(UINT, int, HWND) {
    CTrimDlg dialog(MakeEditingContext());
    RunEditingDialog(dialog);
}

LRESULT CMainDlg::OnListDblClk(int, NMHDR*, BOOL&) {
    if (SelectClickedRow()) OpenCurrentFile();
    return 0;
}

void CMainDlg::OpenCurrentFile() {
    ::ShellExecuteA(m_hWnd, "open", m_currentFile.c_str(), nullptr, nullptr, SW_SHOW);
}

void CMainDlg::OnRemoveSelected(UINT, int, HWND) {
    const int first = m_list.GetFirstSelected();
    const int count = static_cast<int>(m_list.SendMessage(LVM_GETSELECTEDCOUNT));
    // A selection whose row goes must not pass to the recording that moves
    // into that row; one below the removed rows moves up with its row.
    const int selected = SelectionAfterRemoval(m_selectedIndex, first, count, static_cast<int>(m_clips.size()));
    if (selected < 0) ForgetSelection();
    m_selectedIndex = selected;
    RemoveClipRun(m_clips, first, count);
    RefreshList();
    HideEmptyList();
}

void CMainDlg::OnClearAll(UINT, int, HWND) {
    ForgetSelection();
    m_clips.clear();
    RefreshList();
    HideEmptyList();
}

void CMainDlg::ForgetSelection() {
    m_selectedIndex = -1;
    m_currentFile.clear();
    m_playerState = PlayState::NothingChosen;
    m_fileHasVideo = 0;
    m_snapshotBuffer.clear();
}

void CMainDlg::OnOpenOutputFolder(UINT, int, HWND) {
    ::ShellExecuteA(nullptr, "open", OutputFieldText().c_str(), nullptr, nullptr, SW_SHOW);
}

void CMainDlg::OnChangeOutputFolder(UINT, int, HWND) {
    BROWSEINFOA info{};
    info.pszDisplayName = nullptr;
    info.lpszTitle = "Output Folder";
    if (LPITEMIDLIST chosen = ::SHBrowseForFolderA(&info)) {
        char path[MAX_PATH] = {};
        ::SHGetPathFromIDListA(chosen, path);
        IMalloc* allocator = nullptr;
        if (FAILED(::SHGetMalloc(&allocator)) || !allocator) return;
        allocator->Free(chosen);
        allocator->Release();
        if (std::strlen(path) >= 2) ::SetDlgItemTextA(m_hWnd, IDC_OUTPUT_FOLDER, path);
    }
    // Also after a cancel: the field's text, typed or not, is what is kept.
    if (!config::WriteOutputFolder(OutputFieldText()))
        SetStatus(UnsavedSettingStatus("Output folder", config::FilePath()));
}

void CMainDlg::OnConverter(UINT, int, HWND) {
    LaunchConverter();
}

void CMainDlg::LaunchConverter() {
    fw::StartProcess("ClipForge.exe");
}

void CMainDlg::OnSnapshot(UINT, int, HWND) {
    if (m_playerState == PlayState::NothingChosen || m_snapshotBuffer.empty()) return;
    // Without a selected row there is no recording to name the file after.
    if (m_selectedIndex < 0 || m_selectedIndex >= static_cast<int>(m_clips.size())) return;
    const std::string base = NextSnapshotBaseName(
        m_snapshotFolder, m_clips[m_selectedIndex].fileName,
        [](const std::string& path) { return _access(path.c_str(), 0) == 0; });
    const std::vector<uint8_t> file =
        EncodeSnapshotBmp(m_snapshotBuffer.data(), m_previewWidth, m_previewHeight);
    if (file.empty()) return;
    const std::string target = m_snapshotFolder + "\\" + base + ".bmp";
    bool written = false;
    if (FILE* out = std::fopen(target.c_str(), "wb")) {
        written = std::fwrite(file.data(), 1, file.size(), out) == file.size();
        written = std::fclose(out) == 0 && written;
        // A partial picture is no snapshot.
        if (!written) std::remove(target.c_str());
    }
    SetStatus(written ? "Snapshot saved: " + base + ".bmp"
                      : "The snapshot could not be saved in " + m_snapshotFolder);
}

void CMainDlg::OnOpenSnapshotFolder(UINT, int, HWND) {
    ::ShellExecuteA(nullptr, "open", m_snapshotFolder.c_str(), nullptr, nullptr, SW_SHOW);
    ::InvalidateRect(GetDlgItem(IDC_PREVIEW_AREA), nullptr, TRUE);
}
