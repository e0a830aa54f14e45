// A report-style list that paints every cell itself: per-cell text and
// background colours, bold text, an image or a check box, and a tooltip. A
// disabled row greys its text and ignores clicks. While the list is empty a
// bitmap from a skin file is tiled over its background. Its header can show
// a check box per column; clicking the column's header checks or clears that
// column in every row.
//
// It sits on a "SysListView32" control with LVS_REPORT, subclassed from a
// dialog template or made with Create.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "controls/CheckHeaderCtrl.h"
#include "framework/BackgroundBitmap.h"
#include "framework/Handle.h"
#include "framework/Palette.h"
#include "framework/Wnd.h"

#include <commctrl.h>

struct CellInfo {
    int32_t enabled = 1;  // only the row's first cell counts
    int32_t bold = 0;
    int32_t image = -1;  // into the list's small image list; -1 none
    std::string tooltip;
    COLORREF textColour = 0;
    COLORREF backColour = 0;
    int32_t checkState = -1;  // -1 no check box, 0 unchecked, 1 checked
    int32_t reserved = 0;
};

class CCheckListCtrl : public fw::CWnd {
public:
    // A colour argument that takes the list's default.
    static constexpr COLORREF kDefaultColour = static_cast<COLORREF>(-1);

    CCheckListCtrl();
    ~CCheckListCtrl() override;

    // Makes a report list child of `parent` and takes it over.
    bool Create(HWND parent, const RECT& rect, int id, DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER);
    int InsertColumn(int column, const char* heading, int format, int width);

    // Inserts a row with `text` in column 0; the first cell gets the colours.
    // The new row's index, or -1.
    int InsertRow(int index, const char* text, COLORREF textColour, COLORREF backColour);
    // Sets a cell's text (unless null) and colours (kDefaultColour: the
    // list's default). 0 when row or column is out of range.
    int SetCellText(int row, int column, const char* text, COLORREF textColour = kDefaultColour,
                    COLORREF backColour = kDefaultColour);
    // The same for a text in UTF-16, which may hold characters of any code page.
    int SetCellTextW(int row, int column, const wchar_t* text, COLORREF textColour = kDefaultColour,
                     COLORREF backColour = kDefaultColour);
    // -1 removes the cell's check box. 0 when out of range.
    int SetCheckbox(int row, int column, int state);
    // -1 for no check box or out of range.
    int GetCheckbox(int row, int column) const;
    int GetCheckedCount(int column) const;
    int SetCellBold(int row, int column, bool bold);
    int SetCellImage(int row, int column, int image);
    int SetCellTooltip(int row, int column, const char* text);
    // A disabled row is greyed and ignores clicks.
    int EnableRow(int row, bool enable);
    void DeleteAllRows();
    // Tiled over the background while the list is empty. 0 when the file
    // cannot be loaded; the list is then left without a background.
    int SetBackgroundImage(const char* path, BOOL redraw);
    int GetFirstSelected() const;

    // The column's header check box: -1 none, 0 unchecked, 1 checked.
    bool SetHeaderCheckbox(int column, int state);
    int GetHeaderCheckbox(int column) const { return m_header.GetCheckState(column); }
    CCheckHeaderCtrl& Header() { return m_header; }

    // Forced lfHeight of the cell text; -1 keeps the list's font height.
    void SetFontHeight(int height) { m_fontHeight = height; }
    // Fixes the highlight colours against system colour changes.
    void SetHighlightColours(COLORREF back, COLORREF text);
    int RowCount() const;
    int ColumnCount() const;
    HWND ToolTip() const { return m_toolTip; }

    BEGIN_MSG_MAP(CCheckListCtrl)
        MSG_WM_ERASEBKGND(OnEraseBackground)
        MSG_WM_QUERYNEWPALETTE(OnQueryNewPalette)
        MSG_WM_PALETTECHANGED(OnPaletteChanged)
        MSG_WM_SYSCOLORCHANGE(OnSysColorChange)
        MESSAGE_RANGE_HANDLER(WM_MOUSEFIRST, WM_MOUSELAST, OnMouseMessage)
        NOTIFY_CODE_HANDLER(TTN_NEEDTEXTA, OnToolTipText)
        NOTIFY_CODE_HANDLER(TTN_NEEDTEXTW, OnToolTipText)
        NOTIFY_CODE_HANDLER(HDN_ITEMCHANGINGA, OnHeaderChanging)
        NOTIFY_CODE_HANDLER(HDN_ITEMCHANGINGW, OnHeaderChanging)
        REFLECTED_NOTIFY_CODE_HANDLER(NM_CLICK, OnClick)
        REFLECTED_NOTIFY_CODE_HANDLER(LVN_COLUMNCLICK, OnColumnClick)
        REFLECTED_NOTIFY_CODE_HANDLER(NM_CUSTOMDRAW, OnCustomDraw)
        REFLECTED_NOTIFY_CODE_HANDLER(LVN_DELETEITEM, OnDeleteItem)
    END_MSG_MAP()

protected:
    void PreSubclassWindow() override;

private:
    using Row = std::vector<CellInfo>;

    BOOL OnEraseBackground(HDC dc);
    // Without a palette the default handling runs (the helpers clear the flag).
    BOOL OnQueryNewPalette() {
        return static_cast<BOOL>(fw::RealizeOnQueryNewPalette(m_hWnd, m_background.Palette(), m_msgHandled));
    }
    void OnPaletteChanged(HWND changer) {
        fw::RealizeOnPaletteChanged(m_hWnd, m_background.Palette(), changer, m_msgHandled);
    }
    void OnSysColorChange();
    LRESULT OnMouseMessage(UINT msg, WPARAM wp, LPARAM lp, BOOL& handled);
    LRESULT OnToolTipText(int, NMHDR* header, BOOL& handled);
    LRESULT OnHeaderChanging(int, NMHDR*, BOOL& handled);
    LRESULT OnClick(int, NMHDR* header, BOOL& handled);
    LRESULT OnColumnClick(int, NMHDR* header, BOOL& handled);
    LRESULT OnCustomDraw(int, NMHDR* header, BOOL&);
    LRESULT OnDeleteItem(int, NMHDR* header, BOOL& handled);

    Row* RowRecords(int row) const;
    CellInfo* Cell(int row, int column) const;
    // Gives back the records of a deleted row.
    void ForgetRow(const Row* records);
    // Unhooks every item from its records (the items may outlive this object).
    void UnhookRows();
    void ReadSystemColours();
    bool IsHighlighted(int row, int column) const;
    RECT CellRect(int row, int column) const;
    void RedrawCell(int row, int column);
    void UpdateHeaderCheckbox(int column);
    void DrawCell(NMLVCUSTOMDRAW& draw);
    // The cell under a client point as (row, column), or false.
    bool HitCell(POINT point, int& row, int& column) const;
    void TrackToolTip(UINT msg, WPARAM wp, LPARAM lp);

    fw::BackgroundBitmap m_background;
    // Every row's cell records; an item's lParam only points at its own.
    std::vector<std::unique_ptr<Row>> m_rows;
    int32_t m_fontHeight = 16;
    int32_t m_headerSubclassed = 0;
    COLORREF m_greyTextColour = 0;
    COLORREF m_highlightColour = 0;
    COLORREF m_highlightTextColour = 0;
    COLORREF m_windowColour = 0;
    COLORREF m_windowTextColour = 0;
    int32_t m_customHighlight = 0;
    CCheckHeaderCtrl m_header;
    fw::ImageList m_checkImages;
    HWND m_toolTip = nullptr;
    UINT_PTR m_toolId = 0;  // the cell the tooltip's one tool covers
};
