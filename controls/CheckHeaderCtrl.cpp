#include "controls/CheckHeaderCtrl.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

CCheckHeaderCtrl::CCheckHeaderCtrl()
    : m_highlightColour(::GetSysColor(COLOR_BTNHIGHLIGHT)),
      m_shadowColour(::GetSysColor(COLOR_BTNSHADOW)),
      m_faceColour(::GetSysColor(COLOR_BTNFACE)) {}

int CCheckHeaderCtrl::GetCheckState(int column) const {
    HDITEMA item{};
    item.mask = HDI_IMAGE | HDI_FORMAT;
    if (!m_hWnd || !::SendMessageA(m_hWnd, HDM_GETITEMA, column, reinterpret_cast<LPARAM>(&item)))
        return -1;
    // Items made without an image carry index 0 but no image flag: no box.
    if (!(item.fmt & HDF_IMAGE) || item.iImage < 0) return -1;
    return item.iImage ? 1 : 0;
}

bool CCheckHeaderCtrl::SetCheckState(int column, int state) {
    HDITEMA item{};
    item.mask = HDI_FORMAT;
    if (!m_hWnd || !::SendMessageA(m_hWnd, HDM_GETITEMA, column, reinterpret_cast<LPARAM>(&item)))
        return false;
    item.mask = HDI_IMAGE | HDI_FORMAT;
    if (state < 0) {
        item.fmt &= ~HDF_IMAGE;
        item.iImage = -1;
    } else {
        item.fmt |= HDF_IMAGE;
        item.iImage = state ? 1 : 0;
    }
    return ::SendMessageA(m_hWnd, HDM_SETITEMA, column, reinterpret_cast<LPARAM>(&item)) != 0;
}

bool CCheckHeaderCtrl::SetBackgroundImage(const char* path) {
    const bool loaded = m_background.Load(path);
    if (m_hWnd) Invalidate();
    return loaded;
}

LRESULT CCheckHeaderCtrl::OnSetImageList(UINT, WPARAM, LPARAM lp, BOOL& handled) {
    int width = 0, height = 0;
    if (lp && ::ImageList_GetIconSize(reinterpret_cast<HIMAGELIST>(lp), &width, &height)) {
        m_imageWidth = width;
        m_imageHeight = height;
    }
    handled = FALSE;  // the header keeps the list as usual
    return 0;
}

void CCheckHeaderCtrl::PaintBackground(HDC dc, const RECT& client) {
    if (!m_background) {
        fw::Brush face(::CreateSolidBrush(m_faceColour));
        ::FillRect(dc, &client, face);
        return;
    }
    fw::PaletteInUse palette(dc, m_background.Palette());
    fw::MemoryDC memory(dc);
    fw::ScopedSelect select(memory, m_background.Bitmap());
    int oldMode = ::SetStretchBltMode(dc, COLORONCOLOR);
    ::StretchBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, m_background.Width(),
                 m_background.Height(), SRCCOPY);
    ::SetStretchBltMode(dc, oldMode);
}

void CCheckHeaderCtrl::PaintItem(HDC dc, int index, HFONT font) {
    RECT rc{};
    ::SendMessageA(m_hWnd, HDM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rc));
    char text[81] = {};
    HDITEMA item{};
    item.mask = HDI_WIDTH | HDI_TEXT | HDI_FORMAT | HDI_BITMAP | HDI_IMAGE | HDI_LPARAM;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    ::SendMessageA(m_hWnd, HDM_GETITEMA, index, reinterpret_cast<LPARAM>(&item));

    if (item.fmt & HDF_OWNERDRAW) {
        DRAWITEMSTRUCT draw{};
        draw.CtlType = ODT_HEADER;
        draw.CtlID = static_cast<UINT>(::GetDlgCtrlID(m_hWnd));
        draw.itemID = static_cast<UINT>(index);
        draw.itemAction = ODA_DRAWENTIRE;
        draw.hwndItem = m_hWnd;
        draw.hDC = dc;
        draw.rcItem = rc;
        draw.itemData = static_cast<ULONG_PTR>(item.lParam);
        ::SendMessageA(::GetParent(m_hWnd), WM_DRAWITEM, draw.CtlID, reinterpret_cast<LPARAM>(&draw));
        return;
    }

    // Each item keeps to its own rectangle, so a narrow (or hidden) column
    // does not paint its picture over its neighbour.
    int saved = ::SaveDC(dc);
    ::IntersectClipRect(dc, rc.left, rc.top, rc.right, rc.bottom);
    RECT area = rc;
    area.left += m_spacing;
    area.right -= m_spacing;
    HIMAGELIST images = reinterpret_cast<HIMAGELIST>(::SendMessageA(m_hWnd, HDM_GETIMAGELIST, 0, 0));
    if ((item.fmt & HDF_IMAGE) && item.iImage >= 0 && images) {
        int top = rc.top + (rc.bottom - rc.top - m_imageHeight) / 2;
        ::ImageList_Draw(images, item.iImage, dc, area.left, top, ILD_TRANSPARENT);
        area.left += m_imageWidth + m_spacing;
    }
    if ((item.fmt & HDF_BITMAP) && item.hbm) {
        BITMAP size{};
        if (::GetObjectA(item.hbm, sizeof size, &size)) {
            fw::MemoryDC memory(dc);
            fw::ScopedSelect select(memory, item.hbm);
            int left = std::max(area.left, area.right - size.bmWidth);
            int top = rc.top + (rc.bottom - rc.top - size.bmHeight) / 2;
            ::BitBlt(dc, left, top, area.right - left, size.bmHeight, memory, 0, 0, SRCCOPY);
            area.right = left - m_spacing;
        }
    }
    if (item.fmt & HDF_STRING) {
        UINT align = (item.fmt & HDF_JUSTIFYMASK) == HDF_CENTER ? DT_CENTER
                     : (item.fmt & HDF_JUSTIFYMASK) == HDF_RIGHT ? DT_RIGHT
                                                                 : DT_LEFT;
        fw::ScopedSelect selectFont(dc, font);
        ::SetTextColor(dc, m_textColour);
        ::SetBkMode(dc, TRANSPARENT);
        ::DrawTextA(dc, text, -1, &area,
                    align | DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    ::RestoreDC(dc, saved);
}

void CCheckHeaderCtrl::OnPaint(HDC) {
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(m_hWnd, &paint);
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    PaintBackground(dc, client);

    LOGFONTA logFont{};
    HFONT headerFont = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    ::GetObjectA(headerFont ? static_cast<HGDIOBJ>(headerFont) : ::GetStockObject(DEFAULT_GUI_FONT),
                 sizeof logFont, &logFont);
    if (m_fontHeight != -1) logFont.lfHeight = m_fontHeight;
    fw::Font font(::CreateFontIndirectA(&logFont));

    fw::Pen shadow(::CreatePen(PS_SOLID, 1, m_shadowColour));
    fw::Pen highlight(::CreatePen(PS_SOLID, 1, m_highlightColour));
    const int count = static_cast<int>(::SendMessageA(m_hWnd, HDM_GETITEMCOUNT, 0, 0));
    int totalWidth = 0;
    for (int order = 0; order < count; ++order) {
        int index = static_cast<int>(::SendMessageA(m_hWnd, HDM_ORDERTOINDEX, order, 0));
        PaintItem(dc, index, font);
        RECT rc{};
        ::SendMessageA(m_hWnd, HDM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rc));
        totalWidth = std::max(totalWidth, static_cast<int>(rc.right));
        if (order == count - 1) continue;
        fw::ScopedSelect selectShadow(dc, shadow);
        ::MoveToEx(dc, rc.right - 1, rc.top + 2, nullptr);
        ::LineTo(dc, rc.right - 1, rc.bottom - 2);
        fw::ScopedSelect selectHighlight(dc, highlight);
        ::MoveToEx(dc, rc.right, rc.top + 2, nullptr);
        ::LineTo(dc, rc.right, rc.bottom - 2);
    }
    // A raised frame around all the items: light top and left, dark bottom and right.
    {
        fw::ScopedSelect selectHighlight(dc, highlight);
        ::MoveToEx(dc, 0, client.bottom - 1, nullptr);
        ::LineTo(dc, 0, 0);
        ::LineTo(dc, totalWidth - 1, 0);
    }
    {
        fw::ScopedSelect selectShadow(dc, shadow);
        ::MoveToEx(dc, totalWidth - 1, 0, nullptr);
        ::LineTo(dc, totalWidth - 1, client.bottom - 1);
        ::LineTo(dc, -1, client.bottom - 1);
    }
    ::EndPaint(m_hWnd, &paint);
}
