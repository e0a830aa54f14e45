#include "tools/clipforge/ClipForgeDlg.h"

#include <shellapi.h>

#include <utility>

#include "controls/SkinFiles.h"
#include "engine/ConfigFile.h"
#include "framework/ProgramFolder.h"
#include "res/resource.h"
#include "layout/ConverterLayout.h"
#include "tools/clipforge/convert/Converter.h"
#include "tools/clipforge/convert/Texts.h"
#include "tools/clipforge/Utf8Text.h"

namespace {

namespace converter = layout::converter;

// The recorder's main-window skin serves here too: its tool and folder buttons
// on a background of our own, so the two windows look like one product
// without the recorder's labels.
constexpr SkinFrameStyle kFrame =
    MainWindowLook(converter::kWidth, converter::kHeight, IDC_CF_MINIMIZE, IDC_CF_CLOSE);

enum Column { kCheck, kName, kDuration, kSize, kMp4 };

std::wstring WideTitle() {
    return clipforge::WideFromUtf8(kClipForgeTitle);
}

std::string Outcome(const std::string& name, const clipforge::ConvertResult& r) {
    using clipforge::ConvertStatus;
    switch (r.status) {
    case ConvertStatus::Done:
        return name + (r.applied.empty() ? ": converted." : ": converted with " + r.applied + ".");
    case ConvertStatus::Cancelled: return name + ": cancelled, no MP4 written.";
    default: return name + ": " + r.message;
    }
}

}  // namespace

CClipForgeDlg::CClipForgeDlg(std::string outputFolder, std::string convertFirst)
    : CSkinDialog(IDD_CLIPFORGE, nullptr, kFrame),
      m_folder(std::move(outputFolder)),
      m_convertOne(std::move(convertFirst)) {
    m_skinFolder = fw::ProgramFolder() + skinfiles::kMainFolder;
}

CClipForgeDlg::~CClipForgeDlg() {
    StopWorker(true);
}

BOOL CClipForgeDlg::OnInitDialog() {
    SetUpSkin();
    clipforge::RemoveStaleParts(m_folder);
    Refresh();
    SetStatus(m_entries.empty() ? "No recordings in this folder yet."
                                : "Check the recordings to convert, then press Convert.");
    // Once the window shows: a question about an existing MP4 needs it.
    if (!m_convertOne.empty()) PostMessage(kConvertOneMessage);
    return TRUE;
}

BOOL CClipForgeDlg::OnCopyData(HWND, const COPYDATASTRUCT* data) {
    if (!data || data->dwData != kConvertOneTag || !data->lpData) return FALSE;
    // The sender waits for this answer: the conversion starts after it.
    m_convertOne.assign(static_cast<const char*>(data->lpData), data->cbData);
    PostMessage(kConvertOneMessage);
    return TRUE;
}

LRESULT CClipForgeDlg::OnConvertOne(UINT, WPARAM, LPARAM, BOOL&) {
    const std::string path = std::exchange(m_convertOne, {});
    if (path.empty()) return 0;
    // A bare name is a recording of the folder shown.
    const size_t slash = path.find_last_of("\\/");
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    // Converting, or asking whether to replace an MP4 (the window is then
    // disabled under the question): the new one waits for the user.
    if (m_worker.joinable() || !::IsWindowEnabled(m_hWnd)) {
        SetStatus("Busy: convert " + name + " when this has finished.");
        return 0;
    }
    if (slash != std::string::npos) m_folder = path.substr(0, slash);  // the list shows it
    Refresh();
    Invalidate();
    // Only this recording is checked; Convert does the rest, with its progress.
    bool found = false;
    for (size_t i = 0; i < m_entries.size(); ++i) {
        const bool it = ::lstrcmpiW(clipforge::WideFromUtf8(m_entries[i].name).c_str(),
                                    clipforge::WideFromUtf8(name).c_str()) == 0;
        m_list.SetCheckbox(int(i), kCheck, it ? 1 : 0);
        found = found || it;
    }
    if (!found) {
        SetStatus(name + " is not a recording in this folder.");
        return 0;
    }
    OnConvert(0, IDC_CF_CONVERT, nullptr);
    return 0;
}

BOOL CClipForgeDlg::PreTranslateMessage(MSG* msg) {
    // Enter and Escape must not close the window in the middle of a conversion.
    if (msg->message == WM_KEYDOWN && (msg->wParam == VK_ESCAPE || msg->wParam == VK_RETURN)) return TRUE;
    return fw::CDialog::PreTranslateMessage(msg);
}

void CClipForgeDlg::SetUpSkin() {
    SetTitle("ClipForge - recordings to MP4");
    ApplyShape();
    LoadBackground(m_skinFolder + "clipforge_back.bmp");
    PlaceButtons(converter::kButtons, m_skinFolder);

    m_list.SubclassDlgItem(IDC_CF_LIST, m_hWnd);
    m_list.SetBackgroundImage((m_skinFolder + "clipforge_list.bmp").c_str(), FALSE);
    ::SendMessageA(m_list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    m_list.InsertColumn(kCheck, " ", LVCFMT_CENTER, 30);
    m_list.InsertColumn(kName, "FileName", LVCFMT_LEFT, 170);
    // Room for an edited recording's "00:00:06 of 00:00:12".
    m_list.InsertColumn(kDuration, "Duration", LVCFMT_CENTER, 130);
    m_list.InsertColumn(kSize, "Size", LVCFMT_CENTER, 80);
    m_list.InsertColumn(kMp4, "MP4", LVCFMT_CENTER, 60);
    m_list.SetHeaderCheckbox(kCheck, 0);
    PlaceControl(IDC_CF_LIST, converter::kList);

    m_progress.SubclassDlgItem(IDC_CF_PROGRESS, m_hWnd);
    m_progress.SetBitmaps(IDB_PROGRESS_TROUGH, IDB_PROGRESS_BAR);
    PlaceControl(IDC_CF_PROGRESS, converter::kProgress);
    ::MoveWindow(m_hWnd, 60, 40, converter::kWidth, converter::kHeight, TRUE);
}

void CClipForgeDlg::Refresh() {
    m_entries = clipforge::ListRecordings(m_folder);
    ::LockWindowUpdate(m_list);
    m_list.DeleteAllRows();
    for (size_t i = 0; i < m_entries.size(); ++i) {
        const clipforge::RecordingEntry& e = m_entries[i];
        const int row = m_list.InsertRow(int(i), " ", CCheckListCtrl::kDefaultColour, CCheckListCtrl::kDefaultColour);
        m_list.SetCellTextW(row, kName, clipforge::WideFromUtf8(e.name).c_str());
        const clipforge::RecordingLength length = clipforge::LengthOf(e.path, e.edits);
        // An edited recording tells how much of it the MP4 keeps.
        const std::string duration = e.edits.IsNeutral() ? clipforge::DurationText(length.full)
                                                         : clipforge::DurationText(length.kept) + " of " +
                                                               clipforge::DurationText(length.full);
        m_list.SetCellText(row, kDuration, duration.c_str());
        m_list.SetCellText(row, kSize, clipforge::SizeText(e.bytes).c_str());
        m_list.SetCellText(row, kMp4, e.hasMp4 ? "yes" : "-");
        // What has no MP4 yet is what the user most likely wants converted.
        m_list.SetCheckbox(row, kCheck, e.hasMp4 ? 0 : 1);
    }
    ::LockWindowUpdate(nullptr);
    m_list.Invalidate();
}

void CClipForgeDlg::SetStatus(const std::string& text) {
    m_status = text;
    const RECT status = ToRect(converter::kStatus);
    ::InvalidateRect(m_hWnd, &status, TRUE);
}

void CClipForgeDlg::SetBusy(bool busy) {
    ::EnableWindow(GetDlgItem(IDC_CF_CONVERT), !busy);
    ::EnableWindow(GetDlgItem(IDC_CF_CANCEL), busy);
}

void CClipForgeDlg::PaintBody(HDC dc) {
    fw::Font labels(fw::MakeFont("Arial", 15, 500));
    fw::ScopedSelect font(dc, labels);
    ::SetTextColor(dc, RGB(230, 230, 230));
    RECT status = ToRect(converter::kStatus);
    const std::wstring statusText = clipforge::WideFromUtf8(m_status);
    ::DrawTextW(dc, statusText.c_str(), int(statusText.size()), &status, DT_LEFT | DT_TOP | DT_WORDBREAK);
    ::SetTextColor(dc, RGB(30, 30, 30));
    RECT folder = ToRect(converter::kFolder);
    const std::wstring text = clipforge::WideFromUtf8("Output: " + m_folder);
    ::DrawTextW(dc, text.c_str(), int(text.size()), &folder, DT_LEFT | DT_TOP | DT_PATH_ELLIPSIS);
}

void CClipForgeDlg::OnConvert(UINT, int, HWND) {
    if (m_worker.joinable()) return;
    std::vector<Job> jobs;
    const settings::ConvertChoice choice = config::ReadConvertChoice();
    for (size_t i = 0; i < m_entries.size(); ++i) {
        if (m_list.GetCheckbox(int(i), kCheck) != 1) continue;
        const clipforge::RecordingEntry& e = m_entries[i];
        // The edit file as it is now: the recorder may have changed it since the list was made.
        Job job{e.path, e.mp4, false, clipforge::ReadEditsOf(e.path), choice};
        if (e.hasMp4) {
            const std::wstring question = clipforge::WideFromUtf8(e.name + ": its MP4 exists already. Replace it?");
            const int answer = ::MessageBoxW(m_hWnd, question.c_str(), WideTitle().c_str(),
                                             MB_YESNOCANCEL | MB_ICONQUESTION);
            if (answer == IDCANCEL) return;
            if (answer == IDNO) continue;
            job.overwrite = true;
        }
        jobs.push_back(job);
    }
    if (jobs.empty()) {
        SetStatus("Nothing to convert: check the recordings first.");
        return;
    }
    m_cancel = false;
    m_outcomes.clear();
    m_troubles = 0;
    m_jobCount = jobs.size();
    m_jobIndex = 0;
    m_done = m_total = 0;
    m_progress.SetPos(0);
    SetBusy(true);
    SetStatus("Converting...");
    m_worker = std::thread(&CClipForgeDlg::RunJobs, this, std::move(jobs));
}

void CClipForgeDlg::RunJobs(std::vector<Job> jobs) {
    for (size_t i = 0; i < jobs.size(); ++i) {
        {
            std::lock_guard<std::mutex> hold(m_lock);
            m_jobIndex = i;
            m_done = m_total = 0;
            m_jobStart = std::chrono::steady_clock::now();
        }
        int shown = -1;
        clipforge::ConvertRequest request;
        request.input = jobs[i].input;
        request.output = jobs[i].output;
        request.overwrite = jobs[i].overwrite;
        request.edits = jobs[i].edits;
        request.choice = jobs[i].choice;
        request.cancel = &m_cancel;
        request.progress = [&](double done, double total) {
            {
                std::lock_guard<std::mutex> hold(m_lock);
                m_done = done;
                m_total = total;
            }
            // One message per tenth of a percent at most: the window keeps up.
            const int permille = clipforge::Permille(done, total);
            if (permille != shown) {
                shown = permille;
                PostMessage(kProgressMessage);
            }
        };
        const clipforge::ConvertResult result = clipforge::ConvertRecording(request);
        const size_t slash = jobs[i].output.find_last_of("\\/");
        const std::string name = jobs[i].output.substr(slash + 1);
        {
            std::lock_guard<std::mutex> hold(m_lock);
            m_outcomes.push_back(Outcome(name, result));
            if (result.status != clipforge::ConvertStatus::Done) ++m_troubles;
        }
        if (result.status == clipforge::ConvertStatus::Cancelled ||
            result.status == clipforge::ConvertStatus::DiskFull)
            break;
    }
    PostMessage(kFinishedMessage);
}

LRESULT CClipForgeDlg::OnProgress(UINT, WPARAM, LPARAM, BOOL&) {
    std::lock_guard<std::mutex> hold(m_lock);
    if (m_cancel) return 0;
    const double elapsed =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - m_jobStart).count();
    m_progress.SetPos(clipforge::Permille(m_done, m_total) / 10);
    SetStatus("Converting " + std::to_string(m_jobIndex + 1) + " of " + std::to_string(m_jobCount) + ": " +
              clipforge::ProgressText(m_done, m_total, elapsed));
    return 0;
}

LRESULT CClipForgeDlg::OnFinished(UINT, WPARAM, LPARAM, BOOL&) {
    StopWorker(false);
    SetBusy(false);
    const bool cancelled = m_cancel;
    m_progress.SetPos(cancelled ? 0 : 100);
    std::string summary;
    for (const std::string& line : m_outcomes) summary += line + "\n";
    const bool trouble = m_troubles > 0;
    Refresh();
    SetStatus(cancelled ? "Cancelled: no MP4 was left half written." : summary);
    if (trouble && !cancelled)
        ::MessageBoxW(m_hWnd, clipforge::WideFromUtf8(summary).c_str(), WideTitle().c_str(), MB_OK | MB_ICONWARNING);
    return 0;
}

void CClipForgeDlg::OnCancelConversion(UINT, int, HWND) {
    if (!m_worker.joinable()) return;
    m_cancel = true;
    SetStatus("Cancelling...");
}

void CClipForgeDlg::OnOpenFolder(UINT, int, HWND) {
    ::ShellExecuteW(nullptr, L"open", clipforge::WideFromUtf8(m_folder).c_str(), nullptr, nullptr, SW_SHOW);
}

void CClipForgeDlg::OnCancel() {
    StopWorker(true);  // a conversion in progress is cancelled and its part file removed
    EndDialog(IDCANCEL);
}

void CClipForgeDlg::StopWorker(bool cancel) {
    if (!m_worker.joinable()) return;
    if (cancel) m_cancel = true;
    m_worker.join();
}
