#include "controls/SkinProgress.h"

#include <commctrl.h>

#include "controls/SkinBitmaps.h"
#include "controls/SliderScale.h"

namespace {

// Plain colours for a part whose picture is missing.
constexpr COLORREF kTroughColour = RGB(42, 46, 54);
constexpr COLORREF kBarColour = RGB(62, 139, 255);

void FillSolid(HDC dc, const RECT& area, COLORREF colour) {
    fw::Brush brush(::CreateSolidBrush(colour));
    ::FillRect(dc, &area, brush);
}

}  // namespace

bool CSkinProgress::Create(HWND parent, int id, int x, int y, int width, int height) {
    HWND hwnd = ::CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE, x, y, width, height,
                                  parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                  ::GetModuleHandleA(nullptr), nullptr);
    if (!hwnd) return false;
    if (SubclassWindow(hwnd)) return true;
    ::DestroyWindow(hwnd);
    return false;
}

void CSkinProgress::PreSubclassWindow() {
    ::SendMessageA(m_hWnd, PBM_SETRANGE32, 0, 100);
}

bool CSkinProgress::SetBitmaps(int troughId, int barId) {
    m_trough.Reset(skinbmp::LoadResourceBitmap(troughId));
    m_bar.Reset(skinbmp::LoadResourceBitmap(barId));
    if (m_hWnd) Invalidate(FALSE);
    return m_trough && m_bar;
}

void CSkinProgress::SetPos(int32_t position) {
    SendMessage(PBM_SETPOS, static_cast<WPARAM>(position));
    Invalidate(FALSE);
}

int32_t CSkinProgress::GetPos() const {
    return static_cast<int32_t>(SendMessage(PBM_GETPOS));
}

void CSkinProgress::SetText(const std::string& text) {
    m_text = text;
    Invalidate(FALSE);
}

std::string CSkinProgress::ShownText() const {
    return m_text.empty() ? std::to_string(GetPos()) + "%" : m_text;
}

void CSkinProgress::Paint(HDC dc, const RECT& client) const {
    if (m_trough) skinbmp::Stretch(dc, client, m_trough);
    else FillSolid(dc, client, kTroughColour);

    PBRANGE range{};
    SendMessage(PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    const int32_t done = slider::ValueToPixel(slider::Clamp(GetPos(), range.iLow, range.iHigh),
                                              range.iLow, range.iHigh, 0, client.right);
    if (done > 0) {
        // The bar keeps its full-width look; only its done part shows.
        const RECT doneArea{0, 0, done, client.bottom};
        int saved = ::SaveDC(dc);
        ::IntersectClipRect(dc, 0, 0, done, client.bottom);
        if (m_bar) skinbmp::Stretch(dc, client, m_bar);
        else FillSolid(dc, doneArea, kBarColour);
        ::RestoreDC(dc, saved);
    }

    fw::Font font(fw::MakeFont("Arial", -(client.bottom * 3 / 5), FW_BOLD));
    fw::ScopedSelect selectFont(dc, font);
    ::SetBkMode(dc, TRANSPARENT);
    const std::string text = ShownText();
    RECT area = client;
    // A dark shadow keeps the white text readable over both pictures.
    ::OffsetRect(&area, 1, 1);
    ::SetTextColor(dc, RGB(16, 18, 22));
    ::DrawTextA(dc, text.c_str(), -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    ::SetTextColor(dc, RGB(255, 255, 255));
    area = client;
    ::DrawTextA(dc, text.c_str(), -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}
