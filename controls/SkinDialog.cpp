#include "controls/SkinDialog.h"

#include "controls/SkinBitmaps.h"

static_assert(layout::kOkId == IDOK && layout::kCancelId == IDCANCEL);

CSkinDialog::CSkinDialog(int templateId, HWND parent, const SkinFrameStyle& style)
    : fw::CDialog(templateId, parent), m_style(style) {}

CSkinDialog::~CSkinDialog() = default;

void CSkinDialog::ApplyShape() {
    LONG style = ::GetWindowLongA(m_hWnd, GWL_STYLE) & ~WS_CAPTION;
    if (m_style.minimizeBox) style |= WS_MINIMIZEBOX;
    ::SetWindowLongA(m_hWnd, GWL_STYLE, style);
    const int width = m_style.width, height = m_style.height;
    // Only the top corners are round: the rounded rectangle's lower half is
    // squared off again.
    HRGN shape = ::CreateRoundRectRgn(0, 0, width + 1, height + 1, m_style.cornerDiameter, m_style.cornerDiameter);
    HRGN lower = ::CreateRectRgn(0, 100, width + 1, height + 1);
    ::CombineRgn(shape, shape, lower, RGN_OR);
    ::DeleteObject(lower);
    ::SetWindowRgn(m_hWnd, shape, TRUE);  // the system owns the region now
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

void CSkinDialog::LoadBackground(const std::string& path) {
    m_background.Reset(
        static_cast<HBITMAP>(::LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
}

void CSkinDialog::PlaceButtons(std::span<const layout::ButtonPlace> table, const std::string& folder) {
    for (const layout::ButtonPlace& place : table) {
        auto button = std::make_unique<CHoverButton>();
        button->SubclassDlgItem(place.id, m_hWnd);
        if (place.pictures == layout::Pictures::One) {
            const std::string picture = folder + place.skin + ".bmp";
            button->LoadBitmapFiles(picture.c_str(), picture.c_str(), picture.c_str());
        } else {
            button->LoadSkin(folder, place.skin);
        }
        PlaceControl(place.id, place.box, place.shown);
        m_skinButtons.push_back(std::move(button));
    }
}

void CSkinDialog::PlaceControl(int id, const layout::Box& box, bool shown) const {
    ::SetWindowPos(GetDlgItem(id), nullptr, box.x, box.y, box.width, box.height,
                   SWP_NOZORDER | SWP_NOACTIVATE | (shown ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void CSkinDialog::DragByBody(POINT client) {
    // The system's own move loop, as if the caption had been pressed.
    PostMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(client.x, client.y));
}

void CSkinDialog::OnLButtonDown(UINT, POINT at) {
    Default();
    DragByBody(at);
}

BOOL CSkinDialog::OnEraseBkgnd(HDC dc) {
    if (m_background) {
        skinbmp::Copy(dc, 0, 0, m_background);
    } else {
        RECT client;
        ::GetClientRect(m_hWnd, &client);
        ::FillRect(dc, &client,
                   m_style.blackWithoutPicture ? static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH))
                                               : ::GetSysColorBrush(COLOR_BTNFACE));
    }
    ::SetBkMode(dc, TRANSPARENT);
    {
        const SkinTitleStyle& title = m_style.title;
        fw::Font face(fw::MakeFont(title.face, title.height, title.weight));
        fw::ScopedSelect font(dc, face);
        ::SetTextColor(dc, title.colour);
        RECT line = ToRect(title.line);
        ::DrawTextA(dc, m_title.c_str(), -1, &line, DT_LEFT | DT_TOP | DT_NOPREFIX);
    }
    PaintBody(dc);
    return TRUE;
}
