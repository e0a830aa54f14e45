// The program's only top-level window: a caption-less, skinned dialog with the
// recording buttons, the output list, the output-folder field, the elapsed
// time and a status line. It owns the recording controller and the call watch
// (its map chains to theirs), the output-list commands, the hotkeys and the
// close sequence.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/CallWatcher.h"
#include "app/OutputList.h"
#include "app/RecordingController.h"
#include "callenv/AudioRouter.h"
#include "controls/SkinDialog.h"
#include "controls/StatusLine.h"
#include "editing/EditingContext.h"
#include "engine/Messages.h"
#include "framework/Gdi.h"
#include "playback/PlayState.h"
#include "playback/PreviewSurface.h"
#include "recordings/ClipList.h"
#include "res/resource.h"
#include "settings/FormatProfile.h"

class CMainDlg : public CSkinDialog, private IRecordingHost, private ICallWatchHost {
public:
    CMainDlg();
    ~CMainDlg() override;

    BOOL PreTranslateMessage(MSG* msg) override;

    BEGIN_MSG_MAP(CMainDlg)
        CHAIN_MSG_MAP_MEMBER(m_recorder)
        CHAIN_MSG_MAP_MEMBER(m_callWatcher)
        MSG_WM_PAINT(OnPaint)
        MSG_WM_QUERYDRAGICON(OnQueryDragIcon)
        MSG_WM_TIMER(OnTimer)
        MSG_WM_HOTKEY(OnHotKey)
        MSG_WM_CLOSE(OnClose)
        MSG_WM_DESTROY(OnDestroy)
        MESSAGE_HANDLER(WM_USER_GENERIC_MSG, OnRecordFileClosed)
        NOTIFY_HANDLER(IDC_OUTPUT_LIST, NM_CLICK, OnListClick)
        NOTIFY_HANDLER(IDC_OUTPUT_LIST, NM_DBLCLK, OnListDblClk)
        MSG_WM_CONTEXTMENU(OnContextMenu)
        COMMAND_ID_HANDLER_EX(ID_LIST_PLAY, OnListPlay)
        COMMAND_ID_HANDLER_EX(ID_LIST_CONVERT, OnListConvert)
        COMMAND_ID_HANDLER_EX(IDC_CONVERTER, OnConverter)
        COMMAND_ID_HANDLER_EX(IDC_HOME, OnHome)
        COMMAND_ID_HANDLER_EX(IDC_HELP_BUTTON, OnHelp)
        COMMAND_ID_HANDLER_EX(IDC_OPEN_FOLDER, OnOpenOutputFolder)
        COMMAND_ID_HANDLER_EX(IDC_CHANGE_FOLDER, OnChangeOutputFolder)
        COMMAND_ID_HANDLER_EX(IDC_REMOVE, OnRemoveSelected)
        COMMAND_ID_HANDLER_EX(IDC_CLEAR_ALL, OnClearAll)
        COMMAND_ID_HANDLER_EX(IDC_SNAPSHOT, OnSnapshot)
        COMMAND_ID_HANDLER_EX(IDC_OPEN_SNAPSHOTS, OnOpenSnapshotFolder)
        COMMAND_ID_HANDLER_EX(IDC_SETTINGS, OnSettings)
        COMMAND_ID_HANDLER_EX(IDC_TRIM, OnTrim)
        COMMAND_ID_HANDLER_EX(IDC_CROP, OnCrop)
        COMMAND_ID_HANDLER_EX(IDC_EFFECT, OnEffects)
        COMMAND_HANDLER_EX(IDC_FORMAT, CBN_SELCHANGE, OnFormatChanged)
        CHAIN_MSG_MAP(CSkinDialog)
    END_MSG_MAP()

    // What tests and the converter launch look at.
    const ClipList& Clips() const { return m_clips; }
    const std::string& StatusText() const { return m_recorder.Session().State.StatusText; }

    // What the editing dialogs take from the main window.
    int SelectedIndex() const { return m_selectedIndex; }
    bool FileHasVideo() const { return m_fileHasVideo != 0; }
    int PreviewSourceWidth() const { return m_previewWidth; }
    int PreviewSourceHeight() const { return m_previewHeight; }
    float PreviewPosition() const { return m_previewPosition; }
    // What an editing dialog is given: the selection, the preview's source
    // size and position, the settings kept for no selection, the list redraw.
    EditingContext MakeEditingContext();
    // Runs an editing dialog modally. SDL holds one video output per process,
    // so the main window's preview surface is given up while it runs.
    INT_PTR RunEditingDialog(fw::CDialog& dialog);

protected:
    BOOL OnInitDialog() override;
    void OnQuitMessage() override;
    // The labels on the form's card.
    void PaintBody(HDC dc) override;
    // The close button closes as WM_CLOSE does, through the shut-down.
    void OnCloseBox() override { PostMessage(WM_CLOSE); }

private:
    // The one-shot check after start-up (MainDlgStartup.cpp, MainDlgTimers.cpp).
    static constexpr UINT kStartupTimerId = 1;
    // Start-up and skin (MainDlgStartup.cpp, MainDlgSkin.cpp).
    void BuildFolders();
    void SetUpSkin();
    void PlaceControls();
    void SetUpAudioEngine();
    void SetUpEngine();

    // Painting and window behaviour (MainDlg.cpp).
    void OnPaint(HDC);
    HICON OnQueryDragIcon() { return m_appIcon; }
    void OnClose();
    void OnDestroy();
    void OnHome(UINT, int, HWND);
    void OnHelp(UINT, int, HWND);
    void SetStatus(const std::string& text) override;
    // Stops a running recording, waits for its file, gives the devices back
    // and asks the engine to quit: everything closing needs but the end.
    void ShutDown();

    // Output list and external tools (MainDlgList.cpp).
    LRESULT OnListClick(int, NMHDR* header, BOOL&);
    LRESULT OnListDblClk(int, NMHDR* header, BOOL&);
    // Opens CurrentFile with the system's player.
    void OpenCurrentFile();
    void OnConverter(UINT, int, HWND);
    void OnOpenOutputFolder(UINT, int, HWND);
    void OnChangeOutputFolder(UINT, int, HWND);
    void OnRemoveSelected(UINT, int, HWND);
    void OnClearAll(UINT, int, HWND);
    void OnSnapshot(UINT, int, HWND);
    void OnOpenSnapshotFolder(UINT, int, HWND);
    void OnTrim(UINT, int, HWND);
    void AddRecording(const std::string& path, const std::string& fileName,
                      const std::string& durationText) override;
    bool CorrectListedLength(const std::string& path, const std::string& durationText) override;
    void RefreshList();
    void HideEmptyList();
    bool SelectClickedRow();
    // What a click on a row does: the list's selected row becomes the chosen
    // recording, read for the preview.
    void ChooseSelectedRow();
    // No recording chosen any more: nothing to edit, snapshot or preview.
    void ForgetSelection();
    // Reads the selected recording: its length into its record, its picture
    // size and whether it has pictures, and the picture at the preview
    // position into the snapshot buffer and onto the preview surface.
    void LoadSelectedRecording();
    void ReadClipMedia(ClipRecord& clip);
    LRESULT OnRecordFileClosed(UINT, WPARAM, LPARAM, BOOL&);
    void CreatePreviewSurface();
    // The picture at the preview position of the selected recording, again.
    void ShowPreviewPicture();
    void LaunchConverter();

    // The output list's context menu and its own commands (MainDlgMenu.cpp).
    void OnContextMenu(HWND clicked, POINT screen);
    void OnListPlay(UINT, int, HWND);
    void OnListConvert(UINT, int, HWND);
    // The listmenu conditions that hold now.
    uint32_t ListMenuState() const;
    // The recording of the selected row, or null.
    const ClipRecord* SelectedClip() const;

    // The edit file beside a recording (MainDlgEdits.cpp): written from the
    // record at `index`, or removed when its edits are all neutral.
    void SaveEditsOf(int index);
    void ForgetStaleEdits(const std::string& recordingPath);

    // Output-format selectors and the settings dialog (MainDlgSettings.cpp).
    void OnSettings(UINT, int, HWND);
    void OnFormatChanged(UINT, int, HWND);
    // Fills the profiles and the format selector, chooses MP4 and the
    // choice config.ini keeps.
    void SetUpFormats();
    // The chosen format's lists into the hidden selectors, at their defaults.
    void FillFormatSelectors();
    void SaveConvertChoice();

    // The crop and zoom and the effects dialogs (MainDlgCropEffects.cpp).
    void OnCrop(UINT, int, HWND);
    void OnEffects(UINT, int, HWND);

    // What the recording controller asks of the call watch.
    void BeginFollowing(HWND conversation, const RECT& window) override {
        m_callWatcher.BeginFollowing(conversation, window);
    }
    std::string IdleStatus() const override { return m_callWatcher.IdleStatus(); }

    // Hotkeys and the start-up check's timer (MainDlgTimers.cpp).
    void OnTimer(UINT_PTR id);
    void OnHotKey(int id, UINT, UINT);
    void RegisterHotkeys();
    void OnStartupCheck();

    std::string OutputFieldText() const override;

    // Folders (no trailing backslash unless said).
    std::string m_appFolder;
    std::string m_skinFolder;  // with the trailing backslash
    std::string m_snapshotFolder;
    std::string m_appDataFolder;
    HICON m_appIcon = nullptr;
    fw::Font m_labelFont;  // the labels' and the status line's

    // Controls.
    CStatusLine m_status;
    COutputList m_list;

    // The output list's data.
    ClipList m_clips;
    int m_selectedIndex = -1;
    std::string m_currentFile;
    // The current preview picture (planar YUV 4:2:0 of the preview source
    // size), sized to the picture it holds.
    std::vector<uint8_t> m_snapshotBuffer;
    int m_previewWidth = 320;
    int m_previewHeight = 240;
    float m_previewPosition = 0;
    PlayState m_playerState = PlayState::NothingChosen;
    int m_fileHasVideo = 0;
    // The editing dialogs' settings when no recording is selected.
    EditSettings m_editSettings;
    // Only the first, MP4, is filled in (SetUpFormats).
    settings::FormatProfiles m_formatProfiles;
    CPreviewSurface m_previewSurface;

    // Recording.
    CAudioRouter m_router;
    RecordingController m_recorder{*this, m_router};
    CallWatcher m_callWatcher{*this, m_recorder, m_router};
    bool m_shutDown = false;
};
