#include "controls/CheckListCtrl.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "framework/MessagePoint.h"
#include "res/resource.h"

namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr int kToolIdRowFactor = 1000;

// The sub-item rectangle of a cell.
RECT SubItemRect(HWND list, int row, int column) {
    RECT rc{};
    rc.top = column;
    rc.left = LVIR_BOUNDS;
    ::SendMessageA(list, LVM_GETSUBITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rc));
    return rc;
}

}  // namespace

CCheckListCtrl::CCheckListCtrl() {
    ReadSystemColours();
}

CCheckListCtrl::~CCheckListCtrl() {
    if (m_hWnd && ::IsWindow(m_hWnd)) UnhookRows();
    if (m_toolTip && ::IsWindow(m_toolTip)) ::DestroyWindow(m_toolTip);
}

bool CCheckListCtrl::Create(HWND parent, const RECT& rect, int id, DWORD style) {
    HWND list = ::CreateWindowExA(0, WC_LISTVIEWA, "", style | LVS_REPORT, rect.left, rect.top,
                                  rect.right - rect.left, rect.bottom - rect.top, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                  ::GetModuleHandleA(nullptr), nullptr);
    if (!list) return false;
    if (SubclassWindow(list)) return true;
    ::DestroyWindow(list);
    return false;
}

void CCheckListCtrl::PreSubclassWindow() {
    HWND header = reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER));
    if (!m_headerSubclassed && header && m_header.SubclassWindow(header)) m_headerSubclassed = 1;
    if (!m_checkImages)
        m_checkImages.Reset(::ImageList_LoadImageA(::GetModuleHandleA(nullptr),
                                                   MAKEINTRESOURCEA(IDB_CHECKBOXES), 16, 4,
                                                   kMagenta, IMAGE_BITMAP, LR_CREATEDIBSECTION));
    if (!m_toolTip) {
        m_toolTip = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                      WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd, nullptr,
                                      ::GetModuleHandleA(nullptr), nullptr);
    }
}

int CCheckListCtrl::InsertColumn(int column, const char* heading, int format, int width) {
    LVCOLUMNA col{};
    col.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH | LVCF_SUBITEM;
    col.fmt = format;
    col.cx = width;
    col.pszText = const_cast<char*>(heading ? heading : "");
    col.iSubItem = column;
    int index = static_cast<int>(SendMessage(LVM_INSERTCOLUMNA, static_cast<WPARAM>(column),
                                             reinterpret_cast<LPARAM>(&col)));
    // A new column starts without a header check box.
    if (index >= 0) m_header.SetCheckState(index, -1);
    return index;
}

int CCheckListCtrl::RowCount() const {
    return static_cast<int>(SendMessage(LVM_GETITEMCOUNT));
}

int CCheckListCtrl::ColumnCount() const {
    HWND header = reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER));
    return header ? static_cast<int>(::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

CCheckListCtrl::Row* CCheckListCtrl::RowRecords(int row) const {
    if (row < 0 || row >= RowCount()) return nullptr;
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (!SendMessage(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return nullptr;
    return reinterpret_cast<Row*>(item.lParam);
}

CellInfo* CCheckListCtrl::Cell(int row, int column) const {
    Row* records = RowRecords(row);
    if (!records || column < 0 || column >= static_cast<int>(records->size())) return nullptr;
    return &(*records)[static_cast<size_t>(column)];
}

int CCheckListCtrl::InsertRow(int index, const char* text, COLORREF textColour, COLORREF backColour) {
    if (index < 0 || !m_hWnd) return -1;
    Row* records = nullptr;
    try {
        CellInfo blank;
        blank.textColour = m_windowTextColour;
        blank.backColour = m_windowColour;
        // At least one record, the first cell's, which carries the row's state.
        m_rows.push_back(std::make_unique<Row>(static_cast<size_t>(std::max(ColumnCount(), 1)), blank));
        records = m_rows.back().get();
    } catch (const std::bad_alloc&) {
        return -1;
    }
    (*records)[0].textColour = textColour;
    (*records)[0].backColour = backColour;
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = index;
    item.pszText = const_cast<char*>(text ? text : "");
    item.lParam = reinterpret_cast<LPARAM>(records);
    int inserted = static_cast<int>(SendMessage(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    if (inserted < 0) ForgetRow(records);
    // The first row ends the tiled background everywhere, not just in its own line.
    if (inserted >= 0 && m_background && RowCount() == 1) Invalidate(TRUE);
    return inserted;
}

int CCheckListCtrl::SetCellText(int row, int column, const char* text, COLORREF textColour,
                                COLORREF backColour) {
    if (row < 0 || row >= RowCount() || column < 0 || column >= ColumnCount()) return 0;
    if (text) {
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = const_cast<char*>(text);
        SendMessage(LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    }
    if (CellInfo* cell = Cell(row, column)) {
        cell->textColour = textColour == kDefaultColour ? m_windowTextColour : textColour;
        cell->backColour = backColour == kDefaultColour ? m_windowColour : backColour;
    }
    RedrawCell(row, column);
    return 1;
}

int CCheckListCtrl::SetCellTextW(int row, int column, const wchar_t* text, COLORREF textColour,
                                 COLORREF backColour) {
    if (row < 0 || row >= RowCount() || column < 0 || column >= ColumnCount()) return 0;
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = const_cast<wchar_t*>(text);
    SendMessage(LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return SetCellText(row, column, nullptr, textColour, backColour);
}

int CCheckListCtrl::SetCheckbox(int row, int column, int state) {
    CellInfo* cell = Cell(row, column);
    if (!cell) return 0;
    cell->checkState = state < 0 ? -1 : (state ? 1 : 0);
    RedrawCell(row, column);
    UpdateHeaderCheckbox(column);
    return 1;
}

int CCheckListCtrl::GetCheckbox(int row, int column) const {
    const CellInfo* cell = Cell(row, column);
    return cell ? cell->checkState : -1;
}

int CCheckListCtrl::GetCheckedCount(int column) const {
    int count = 0;
    for (int row = 0, rows = RowCount(); row < rows; ++row)
        if (const CellInfo* cell = Cell(row, column); cell && cell->checkState == 1) ++count;
    return count;
}

int CCheckListCtrl::SetCellBold(int row, int column, bool bold) {
    CellInfo* cell = Cell(row, column);
    if (!cell) return 0;
    cell->bold = bold ? 1 : 0;
    RedrawCell(row, column);
    return 1;
}

int CCheckListCtrl::SetCellImage(int row, int column, int image) {
    CellInfo* cell = Cell(row, column);
    if (!cell) return 0;
    cell->image = image < 0 ? -1 : image;
    RedrawCell(row, column);
    return 1;
}

int CCheckListCtrl::SetCellTooltip(int row, int column, const char* text) {
    CellInfo* cell = Cell(row, column);
    if (!cell) return 0;
    cell->tooltip = text ? text : "";
    return 1;
}

int CCheckListCtrl::EnableRow(int row, bool enable) {
    CellInfo* cell = Cell(row, 0);
    if (!cell) return 0;
    cell->enabled = enable ? 1 : 0;
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
    return 1;
}

void CCheckListCtrl::ForgetRow(const Row* records) {
    auto owned = std::find_if(m_rows.begin(), m_rows.end(),
                              [records](const auto& row) { return row.get() == records; });
    if (owned != m_rows.end()) m_rows.erase(owned);
}

void CCheckListCtrl::UnhookRows() {
    for (int row = 0, rows = RowCount(); row < rows; ++row) {
        LVITEMA item{};
        item.mask = LVIF_PARAM;
        item.iItem = row;
        item.lParam = 0;
        SendMessage(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    m_rows.clear();
}

void CCheckListCtrl::DeleteAllRows() {
    if (!m_hWnd) return;
    UnhookRows();
    SendMessage(LVM_DELETEALLITEMS);
    if (m_background) Invalidate(TRUE);
}

LRESULT CCheckListCtrl::OnDeleteItem(int, NMHDR* header, BOOL& handled) {
    // A row deleted by other means than DeleteAllRows still gives its records back.
    ForgetRow(reinterpret_cast<const Row*>(reinterpret_cast<NMLISTVIEW*>(header)->lParam));
    handled = FALSE;
    return 0;
}

int CCheckListCtrl::GetFirstSelected() const {
    return static_cast<int>(SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

bool CCheckListCtrl::SetHeaderCheckbox(int column, int state) {
    if (!m_header.SetCheckState(column, state)) return false;
    m_header.Invalidate();
    return true;
}

void CCheckListCtrl::SetHighlightColours(COLORREF back, COLORREF text) {
    m_highlightColour = back;
    m_highlightTextColour = text;
    m_customHighlight = 1;
    if (m_hWnd) Invalidate(FALSE);
}

void CCheckListCtrl::ReadSystemColours() {
    m_greyTextColour = ::GetSysColor(COLOR_GRAYTEXT);
    m_windowColour = ::GetSysColor(COLOR_WINDOW);
    m_windowTextColour = ::GetSysColor(COLOR_WINDOWTEXT);
    if (!m_customHighlight) {
        m_highlightColour = ::GetSysColor(COLOR_HIGHLIGHT);
        m_highlightTextColour = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    }
}

void CCheckListCtrl::OnSysColorChange() {
    ReadSystemColours();
    SetMsgHandled(FALSE);
}

bool CCheckListCtrl::IsHighlighted(int row, int column) const {
    if (!(SendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED) & LVIS_SELECTED))
        return false;
    if (column != 0 && !(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE) & LVS_EX_FULLROWSELECT))
        return false;
    return ::GetFocus() == m_hWnd || (::GetWindowLongA(m_hWnd, GWL_STYLE) & LVS_SHOWSELALWAYS);
}

RECT CCheckListCtrl::CellRect(int row, int column) const {
    RECT rc = SubItemRect(m_hWnd, row, column);
    // Column 0's bounds are the whole row; keep it to its own column.
    if (column == 0 && ColumnCount() >= 2) rc.right = SubItemRect(m_hWnd, row, 1).left;
    return rc;
}

void CCheckListCtrl::RedrawCell(int row, int column) {
    RECT rc = CellRect(row, column);
    ::InvalidateRect(m_hWnd, &rc, FALSE);
}

void CCheckListCtrl::UpdateHeaderCheckbox(int column) {
    if (m_header.GetCheckState(column) == -1) return;
    int state = GetCheckedCount(column) == RowCount() ? 1 : 0;
    if (m_header.GetCheckState(column) != state) SetHeaderCheckbox(column, state);
}

LRESULT CCheckListCtrl::OnCustomDraw(int, NMHDR* header, BOOL&) {
    auto& draw = *reinterpret_cast<NMLVCUSTOMDRAW*>(header);
    switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
    case CDDS_ITEMPREPAINT:
        return CDRF_NOTIFYSUBITEMDRAW;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
        DrawCell(draw);
        return CDRF_SKIPDEFAULT;
    default:
        return CDRF_DODEFAULT;
    }
}

void CCheckListCtrl::DrawCell(NMLVCUSTOMDRAW& draw) {
    const int row = static_cast<int>(draw.nmcd.dwItemSpec);
    const int column = draw.iSubItem;
    HDC dc = draw.nmcd.hdc;
    const Row* records = RowRecords(row);
    const CellInfo* cell = Cell(row, column);

    COLORREF text = m_windowTextColour, back = m_windowColour;
    if (cell) {
        text = cell->textColour;
        back = cell->backColour;
    }
    if (IsHighlighted(row, column)) {
        text = m_highlightTextColour;
        back = m_highlightColour;
    }
    if (records && !(*records)[0].enabled) text = m_greyTextColour;
    draw.clrText = text;
    draw.clrTextBk = back;

    RECT rc = CellRect(row, column);
    if (rc.right <= rc.left) return;
    int saved = ::SaveDC(dc);
    ::IntersectClipRect(dc, rc.left, rc.top, rc.right, rc.bottom);
    fw::Brush fill(::CreateSolidBrush(back));
    ::FillRect(dc, &rc, fill);
    rc.left += m_header.Spacing();

    HIMAGELIST images = nullptr;
    int image = -1;
    if (cell && cell->checkState != -1) {
        images = m_checkImages;
        image = cell->checkState;
    } else if (cell && cell->image != -1) {
        images = reinterpret_cast<HIMAGELIST>(SendMessage(LVM_GETIMAGELIST, LVSIL_SMALL));
        image = cell->image;
    }
    int imageWidth = 0, imageHeight = 0;
    if (images && ::ImageList_GetIconSize(images, &imageWidth, &imageHeight)) {
        COLORREF oldBack = ::ImageList_SetBkColor(images, back);
        int top = rc.top + (rc.bottom - rc.top - imageHeight) / 2;
        ::ImageList_Draw(images, image, dc, rc.left, top, ILD_NORMAL);
        ::ImageList_SetBkColor(images, oldBack);
        rc.left += imageWidth + m_header.Spacing();
    }

    // Read and drawn in UTF-16: a name set so keeps characters outside the code page.
    wchar_t buffer[260] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = static_cast<int>(std::size(buffer));
    SendMessage(LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    LOGFONTA logFont{};
    HFONT listFont = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    ::GetObjectA(listFont ? static_cast<HGDIOBJ>(listFont) : ::GetStockObject(DEFAULT_GUI_FONT),
                 sizeof logFont, &logFont);
    if (m_fontHeight != -1) logFont.lfHeight = m_fontHeight;
    if (cell && cell->bold) logFont.lfWeight = FW_BOLD;
    fw::Font font(::CreateFontIndirectA(&logFont));
    fw::ScopedSelect selectFont(dc, font);
    ::SetTextColor(dc, text);
    ::SetBkMode(dc, TRANSPARENT);
    // File names may hold '&': no prefix underlines.
    UINT format = (column == 1 ? DT_LEFT : DT_CENTER) | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
    ::DrawTextW(dc, buffer, -1, &rc, format);
    ::RestoreDC(dc, saved);
}

bool CCheckListCtrl::HitCell(POINT point, int& row, int& column) const {
    LVHITTESTINFO hit{};
    hit.pt = point;
    SendMessage(LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    if (hit.iItem < 0 || hit.iSubItem < 0 || hit.iSubItem >= ColumnCount()) return false;
    row = hit.iItem;
    column = hit.iSubItem;
    return true;
}

LRESULT CCheckListCtrl::OnClick(int, NMHDR* header, BOOL& handled) {
    const auto& activate = *reinterpret_cast<NMITEMACTIVATE*>(header);
    int row = -1, column = -1;
    if (HitCell(activate.ptAction, row, column)) {
        const Row* records = RowRecords(row);
        CellInfo* cell = Cell(row, column);
        if (records && (*records)[0].enabled && cell &&
            (cell->checkState == 0 || cell->checkState == 1)) {
            cell->checkState = !cell->checkState;
            RedrawCell(row, column);
        }
        UpdateHeaderCheckbox(column);
    }
    handled = FALSE;  // the parent sees the click too
    return 0;
}

LRESULT CCheckListCtrl::OnColumnClick(int, NMHDR* header, BOOL& handled) {
    const int column = reinterpret_cast<NMLISTVIEW*>(header)->iSubItem;
    handled = FALSE;
    const int state = m_header.GetCheckState(column);
    if (state == -1) return 0;
    const int newState = !state;
    SetHeaderCheckbox(column, newState);
    ::UpdateWindow(m_header);
    for (int row = 0, rows = RowCount(); row < rows; ++row) {
        CellInfo* cell = Cell(row, column);
        if (!cell || cell->checkState == -1) continue;
        cell->checkState = newState;
        RedrawCell(row, column);
    }
    return 0;
}

BOOL CCheckListCtrl::OnEraseBackground(HDC dc) {
    if (!m_background || RowCount() != 0) {
        SetMsgHandled(FALSE);
        return FALSE;
    }
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    int top = 0;
    if (HWND header = m_header.m_hWnd; header && ::IsWindowVisible(header)) {
        RECT rc;
        ::GetWindowRect(header, &rc);
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rc), 2);
        top = std::max(0, static_cast<int>(rc.bottom));
    }
    fw::PaletteInUse palette(dc, m_background.Palette());
    fw::MemoryDC memory(dc);
    fw::ScopedSelect select(memory, m_background.Bitmap());
    const int width = m_background.Width(), height = m_background.Height();
    for (int y = top; y < client.bottom; y += height)
        for (int x = 0; x < client.right; x += width)
            ::BitBlt(dc, x, y, width, height, memory, 0, 0, SRCCOPY);
    return TRUE;
}

int CCheckListCtrl::SetBackgroundImage(const char* path, BOOL redraw) {
    const bool loaded = m_background.Load(path);
    if (redraw && m_hWnd) Invalidate();
    return loaded ? 1 : 0;
}

LRESULT CCheckListCtrl::OnHeaderChanging(int, NMHDR*, BOOL& handled) {
    // The tiles follow the columns while the list is empty.
    if (RowCount() == 0) Invalidate();
    handled = FALSE;
    return 0;
}

void CCheckListCtrl::TrackToolTip(UINT msg, WPARAM wp, LPARAM lp) {
    if (!m_toolTip) return;
    if (msg == WM_MOUSEMOVE) {
        POINT point{PointX(lp), PointY(lp)};
        int row = -1, column = -1;
        UINT_PTR id = HitCell(point, row, column)
                          ? static_cast<UINT_PTR>(row) * kToolIdRowFactor + column + 1
                          : 0;
        if (id != m_toolId) {
            TOOLINFOA tool{};
            tool.cbSize = TTTOOLINFOA_V2_SIZE;
            tool.hwnd = m_hWnd;
            if (m_toolId) {
                tool.uId = m_toolId;
                ::SendMessageA(m_toolTip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
            }
            m_toolId = id;
            if (id) {
                tool.uId = id;
                tool.rect = CellRect(row, column);
                tool.lpszText = LPSTR_TEXTCALLBACKA;
                ::SendMessageA(m_toolTip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
            }
        }
    }
    MSG relay{m_hWnd, msg, wp, lp, static_cast<DWORD>(::GetMessageTime()), {}};
    DWORD pos = ::GetMessagePos();
    relay.pt = {PointX(pos), PointY(pos)};
    ::SendMessageA(m_toolTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relay));
}

LRESULT CCheckListCtrl::OnMouseMessage(UINT msg, WPARAM wp, LPARAM lp, BOOL& handled) {
    TrackToolTip(msg, wp, lp);
    handled = FALSE;
    return 0;
}

LRESULT CCheckListCtrl::OnToolTipText(int, NMHDR* header, BOOL& handled) {
    if (!m_toolTip || header->hwndFrom != m_toolTip) {
        handled = FALSE;  // someone else's tooltip
        return 0;
    }
    DWORD pos = ::GetMessagePos();
    POINT point{PointX(pos), PointY(pos)};
    ::ScreenToClient(m_hWnd, &point);
    int row = -1, column = -1;
    std::string text;
    if (HitCell(point, row, column))
        if (const CellInfo* cell = Cell(row, column)) text = cell->tooltip;
    if (header->code == TTN_NEEDTEXTA) {
        auto& info = *reinterpret_cast<NMTTDISPINFOA*>(header);
        std::memset(info.szText, 0, sizeof info.szText);
        text.copy(info.szText, sizeof info.szText - 1);
        info.lpszText = info.szText;
    } else {
        auto& info = *reinterpret_cast<NMTTDISPINFOW*>(header);
        std::memset(info.szText, 0, sizeof info.szText);
        text.resize(std::min(text.size(), std::size(info.szText) - 1));
        ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), info.szText,
                              static_cast<int>(std::size(info.szText)) - 1);
        info.lpszText = info.szText;
    }
    return 0;
}
