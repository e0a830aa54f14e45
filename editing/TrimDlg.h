// The trim dialog: the part of a recording to keep, as a start and an end
// time typed into masked edits or set with the markers of the trim bar, with
// the recording playing in the preview. OK stores the range into the
// recording's record; Cancel, Close and Escape store nothing.
#pragma once

#include "controls/HoverButton.h"
#include "controls/MaskEdit.h"
#include "controls/TrimRangeBar.h"
#include "editing/EditingFrame.h"
#include "editing/TrimRules.h"
#include "res/resource.h"

class CTrimDlg : public CEditingFrame {
public:
    explicit CTrimDlg(const EditingContext& context);

    const trim::TrimRange& Range() const { return m_range; }

    BEGIN_MSG_MAP(CTrimDlg)
        COMMAND_ID_HANDLER_EX(IDC_TRIM_START_OK, OnStartOk)
        COMMAND_ID_HANDLER_EX(IDC_TRIM_END_OK, OnEndOk)
        MSG_WM_HSCROLL(OnMarkersScrolled)
        MESSAGE_HANDLER(msg::kTrimPositionMoved, OnPositionMoved)
        MESSAGE_HANDLER(msg::kTrimStartMoved, OnStartMoved)
        MESSAGE_HANDLER(msg::kTrimEndMoved, OnEndMoved)
        CHAIN_MSG_MAP(CEditingFrame)
    END_MSG_MAP()

protected:
    bool InitControls() override;
    void PaintLabels(HDC dc) override;
    void MoveSlider(int percent) override { m_markers.SetPosition(percent); }
    void OnReset() override;
    void OnOK() override;

private:
    void OnStartOk(UINT, int, HWND);
    void OnEndOk(UINT, int, HWND);
    void OnMarkersScrolled(int, int, HWND bar);
    LRESULT OnPositionMoved(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnStartMoved(UINT, WPARAM, LPARAM marker, BOOL&);
    LRESULT OnEndMoved(UINT, WPARAM, LPARAM marker, BOOL&);
    // The preview at the position marker, the worker stopped.
    void ShowPositionMarker();
    // What a typed time's verdict shows: the edits, the markers, the refusal.
    void ShowVerdict(trim::Verdict verdict);
    void ShowTexts();
    void ShowMarkers(int position);
    std::string EditText(int id) const;

    CTimeEdit m_startEdit, m_endEdit;
    CTrimRangeBar m_markers;
    CHoverButton m_startOk, m_endOk;
    trim::TrimRange m_range;
};
