// ClipForge's window: the recordings of the output folder, newest first, with
// their length (for an edited one, the part kept "of" the whole), size and
// whether their MP4 exists; Convert converts the
// checked ones one after another on a worker thread, with their edits and
// the recorder's output settings, a progress bar, percent and time left, and
// Cancel.
#pragma once

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "controls/CheckListCtrl.h"
#include "controls/SkinDialog.h"
#include "controls/SkinProgress.h"
#include "settings/ConvertChoice.h"
#include "tools/clipforge/folder/RecordingFolder.h"
#include "tools/clipforge/resource.h"

// The window's title; a second start finds the first window by it.
inline constexpr const char* kClipForgeTitle = "ClipForge";

class CClipForgeDlg : public CSkinDialog {
public:
    // `convertFirst` (UTF-8), when given, is converted as soon as the window shows.
    explicit CClipForgeDlg(std::string outputFolder, std::string convertFirst = {});  // both in UTF-8
    ~CClipForgeDlg() override;

    BEGIN_MSG_MAP(CClipForgeDlg)
        MESSAGE_HANDLER(kProgressMessage, OnProgress)
        MESSAGE_HANDLER(kFinishedMessage, OnFinished)
        MESSAGE_HANDLER(kConvertOneMessage, OnConvertOne)
        MSG_WM_COPYDATA(OnCopyData)
        COMMAND_ID_HANDLER_EX(IDC_CF_CONVERT, OnConvert)
        COMMAND_ID_HANDLER_EX(IDC_CF_CANCEL, OnCancelConversion)
        COMMAND_ID_HANDLER_EX(IDC_CF_OPEN_FOLDER, OnOpenFolder)
        CHAIN_MSG_MAP(CSkinDialog)
    END_MSG_MAP()

    BOOL PreTranslateMessage(MSG* msg) override;

    static constexpr UINT kProgressMessage = WM_APP + 1;
    static constexpr UINT kFinishedMessage = WM_APP + 2;
    // Converts the recording waiting in m_convertOne.
    static constexpr UINT kConvertOneMessage = WM_APP + 3;
    // A WM_COPYDATA of this kind carries a recording's path (UTF-8) to convert.
    static constexpr ULONG_PTR kConvertOneTag = 0x43464331;  // "CFC1"

protected:
    BOOL OnInitDialog() override;
    void OnCancel() override;
    void OnOK() override {}
    // The status text and the folder.
    void PaintBody(HDC dc) override;

private:
    struct Job {
        std::string input, output;  // UTF-8
        bool overwrite = false;
        editfile::RecordingEdits edits;
        settings::ConvertChoice choice;
    };

    LRESULT OnProgress(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnFinished(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnConvertOne(UINT, WPARAM, LPARAM, BOOL&);
    BOOL OnCopyData(HWND, const COPYDATASTRUCT* data);
    void OnConvert(UINT, int, HWND);
    void OnCancelConversion(UINT, int, HWND);
    void OnOpenFolder(UINT, int, HWND);

    void SetUpSkin();
    void Refresh();
    void SetStatus(const std::string& text);
    void SetBusy(bool busy);
    void RunJobs(std::vector<Job> jobs);  // on the worker
    // Waits for the worker, cancelling its conversion first when asked.
    void StopWorker(bool cancel);

    std::string m_folder;  // UTF-8, as every path here
    std::string m_convertOne;  // UTF-8: the recording to convert on its own next
    std::string m_skinFolder;
    std::vector<clipforge::RecordingEntry> m_entries;
    CCheckListCtrl m_list;
    CSkinProgress m_progress;
    std::string m_status;  // UTF-8: it names recordings

    std::thread m_worker;
    std::atomic<bool> m_cancel{false};
    std::mutex m_lock;  // guards what the worker reports below
    double m_done = 0, m_total = 0;
    size_t m_jobIndex = 0, m_jobCount = 0;
    std::chrono::steady_clock::time_point m_jobStart;
    std::vector<std::string> m_outcomes;
    size_t m_troubles = 0;  // conversions that did not end as converted
};
