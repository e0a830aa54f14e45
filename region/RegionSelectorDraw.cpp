#include "region/RegionSelectorDraw.h"

#include "region/RegionGeometry.h"

namespace {

const COLORREF kHatchColour = RGB(0, 0, 100);

void InvertFrame(HDC dc, const ScreenRect& rect) {
    fw::Brush hatch(::CreateHatchBrush(HS_BDIAGONAL, kHatchColour));
    fw::ScopedSelect useHatch(dc, hatch);
    for (const engine::BoxRect& strip : engine::RubberBandStrips(rect)) {
        if (strip.Empty()) continue;
        ::PatBlt(dc, strip.left, strip.top, strip.right - strip.left, strip.bottom - strip.top,
                 PATINVERT);
    }
}

void SaveUnder(HDC dc, const engine::BoxRect& box, LabelBacking& backing) {
    const int width = box.right - box.left, height = box.bottom - box.top;
    fw::MemoryDC memory(dc);
    fw::Bitmap pixels(::CreateCompatibleBitmap(dc, width, height));
    {
        fw::ScopedSelect use(memory, pixels);
        ::BitBlt(memory, 0, 0, width, height, dc, box.left, box.top, SRCCOPY);
    }
    backing.pixels = std::move(pixels);
    backing.at = {box.left, box.top};
}

void RestoreUnder(HDC dc, LabelBacking& backing) {
    if (!backing.pixels) return;
    BITMAP info{};
    ::GetObjectA(backing.pixels, sizeof info, &info);
    fw::MemoryDC memory(dc);
    {
        fw::ScopedSelect use(memory, backing.pixels);
        ::BitBlt(dc, backing.at.x, backing.at.y, info.bmWidth, info.bmHeight, memory, 0, 0,
                 SRCCOPY);
    }
    backing.pixels.Reset();
}

}  // namespace

std::string PaintRubberBand(HDC dc, const ScreenRect& rect, LabelBacking& backing, bool draw) {
    if (engine::IsEmptySelection(rect)) return {};
    InvertFrame(dc, rect);

    const std::string text = engine::SelectionLabel(rect);
    HGDIOBJ oldFont = ::SelectObject(dc, ::GetStockObject(ANSI_VAR_FONT));
    SIZE size{};
    ::GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    const engine::LabelLayout label = engine::PlaceLabel(rect, size.cx, size.cy);
    if (draw) {
        SaveUnder(dc, label.box, backing);
        ::RoundRect(dc, label.box.left, label.box.top, label.box.right, label.box.bottom, 10, 10);
        const COLORREF oldText = ::SetTextColor(dc, RGB(0, 0, 0));
        const COLORREF oldBack = ::SetBkColor(dc, RGB(255, 255, 255));
        const int oldMode = ::SetBkMode(dc, OPAQUE);
        ::TextOutA(dc, label.textX, label.y, text.c_str(), static_cast<int>(text.size()));
        ::SetBkMode(dc, oldMode);
        ::SetBkColor(dc, oldBack);
        ::SetTextColor(dc, oldText);
    } else {
        RestoreUnder(dc, backing);
    }
    ::SelectObject(dc, oldFont);
    return draw ? text : std::string();
}
