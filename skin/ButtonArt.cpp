#include "skin/ButtonArt.h"

#include <algorithm>

#include "skin/Palette.h"
#include "skin/Shapes.h"
#include "skin/StrokeFont.h"
#include "skin/Symbols.h"

namespace skin {
namespace {

using namespace palette;

// A pressed button's contents move down by a pixel.
float PressShift(ButtonState state) {
    return state == ButtonState::Click ? 1.0f : 0.0f;
}

}  // namespace

const char* StateSuffix(ButtonState state) {
    switch (state) {
    case ButtonState::Hover: return "_hover";
    case ButtonState::Click: return "_click";
    default: return "_normal";
    }
}

Canvas ToolButton(const Canvas& base, const SymbolPainter& symbol, ButtonState state) {
    Canvas c = base;
    const float w = static_cast<float>(c.Width()), h = static_cast<float>(c.Height());
    Shape tile = RoundRect(1, 1, w - 1, h - 1, 7);
    Rgba ink = kInk;
    switch (state) {
    case ButtonState::Normal:
        c.Fill(tile, VerticalGradient(1, Hex(0x30343D), h - 1, Hex(0x262930)));
        c.Fill(InnerOutline(tile, 1), kToolEdge);
        break;
    case ButtonState::Hover:
        c.Fill(tile, VerticalGradient(1, Hex(0x3B414E), h - 1, Hex(0x313642)));
        c.Fill(InnerOutline(tile, 1.4f), kAccent);
        ink = kWhite;
        break;
    case ButtonState::Click:
        c.Fill(tile, kToolPressed);
        c.Fill(InnerOutline(tile, 1), kAccentPressed);
        ink = Hex(0xC3C8D0);
        break;
    }
    float size = std::min(w, h) * 0.56f;
    symbol(c, w / 2, h / 2 + PressShift(state), size, ink, state);
    return c;
}

Canvas TitleButton(const Canvas& base, const SymbolPainter& symbol, bool danger, ButtonState state) {
    Canvas c = base;
    const float w = static_cast<float>(c.Width()), h = static_cast<float>(c.Height());
    Shape tile = RoundRect(0.5f, 0.5f, w - 0.5f, h - 0.5f, 4);
    Rgba ink = Hex(0xA9B0BC);
    if (state == ButtonState::Hover) {
        c.Fill(tile, danger ? kRecord : Hex(0x2E333C));
        ink = kWhite;
    } else if (state == ButtonState::Click) {
        c.Fill(tile, danger ? kRecordPressed : Hex(0x0B0C0E));
        ink = Hex(0xD5D9DF);
    }
    symbol(c, w / 2, h / 2 + PressShift(state), std::min(w, h), ink, state);
    return c;
}

Canvas PillButton(const Canvas& base, const std::string& label, const SymbolPainter& symbol,
                  PillLook look, ButtonState state) {
    Canvas c = base;
    const float w = static_cast<float>(c.Width()), h = static_cast<float>(c.Height());
    Shape pill = RoundRect(0.5f, 0.5f, w - 0.5f, h - 0.5f, h <= 22 ? 4.0f : 6.0f);
    Rgba fill, edge, ink = kWhite;
    switch (look) {
    case PillLook::Dark:
        fill = state == ButtonState::Normal ? kTool
               : state == ButtonState::Hover ? kAccent
                                             : kAccentPressed;
        edge = state == ButtonState::Normal ? kToolEdge : fill;
        ink = state == ButtonState::Normal ? kInk : kWhite;
        break;
    case PillLook::Accent:
        fill = state == ButtonState::Normal ? kAccent
               : state == ButtonState::Hover ? kAccentHover
                                             : kAccentPressed;
        edge = state == ButtonState::Click ? Hex(0x1F55AA) : fill;
        break;
    case PillLook::Neutral:
        fill = state == ButtonState::Normal ? kWhite
               : state == ButtonState::Hover ? Hex(0xF0F6FF)
                                             : Hex(0xD9DFE7);
        edge = state == ButtonState::Hover ? kAccent : kCardEdge;
        ink = state == ButtonState::Hover ? Hex(0x1D5FCC) : kDarkInk;
        break;
    }
    c.Fill(pill, fill);
    c.Fill(InnerOutline(pill, 1), edge);

    TextStyle text;
    text.capHeight = h <= 22 ? 6.5f : 8;
    text.weight = h <= 22 ? 1.15f : 1.35f;
    text.colour = ink;
    const float iconSize = h <= 22 ? 14.0f : 18.0f;
    const float gap = symbol ? 4.0f : 0.0f;
    const float total = (symbol ? iconSize : 0.0f) + gap + TextWidth(label, text);
    float x = (w - total) / 2;
    const float cy = h / 2 + PressShift(state);
    if (symbol) {
        symbol(c, x + iconSize / 2, cy, iconSize, ink, state);
        x += iconSize + gap;
    }
    DrawText(c, label, x, cy - (text.capHeight + text.weight) / 2, text);
    return c;
}

Canvas RoundButton(const Canvas& base, const SymbolPainter& symbol, ButtonState state) {
    Canvas c = base;
    const float w = static_cast<float>(c.Width()), h = static_cast<float>(c.Height());
    const float radius = std::min(w, h) / 2 - 1;
    const float shift = PressShift(state);
    Rgba fill = state == ButtonState::Normal ? kTool
                : state == ButtonState::Hover ? kAccent
                                              : kAccentPressed;
    c.Fill(Circle(w / 2, h / 2, radius), fill);
    symbol(c, w / 2, h / 2 + shift, radius * 1.15f, kWhite, state);
    return c;
}

Canvas FloatStopButton(int width, int height, ButtonState state) {
    const float w = static_cast<float>(width), h = static_cast<float>(height);
    Canvas c(width, height, kBody);
    Shape tile = RoundRect(1, 1, w - 1, h - 1, 9);
    const float shift = PressShift(state);
    c.Fill(tile, state == ButtonState::Click
                     ? Solid(kToolPressed)
                     : VerticalGradient(1, Hex(0x30343D), h - 1, Hex(0x23262C)));
    c.Fill(InnerOutline(tile, 1.2f), state == ButtonState::Hover ? kRecord : kToolEdge);

    const float cx = w / 2, cy = h * 0.42f + shift, r = std::min(w, h) * 0.27f;
    if (state == ButtonState::Hover) c.Fill(Outline(Circle(cx, cy, r + 3), 2), Hex(0xE5484D, 0.45f));
    c.Fill(Circle(cx, cy, r), state == ButtonState::Normal ? kRecord
                              : state == ButtonState::Hover ? kRecordHover
                                                            : kRecordPressed);
    const float s = r * 0.72f;
    c.Fill(RoundRect(cx - s / 2, cy - s / 2, cx + s / 2, cy + s / 2, 1.8f), kWhite);

    TextStyle label;
    label.capHeight = 5.5f;
    label.weight = 1.1f;
    label.colour = state == ButtonState::Hover ? kWhite : Hex(0xA9B0BC);
    DrawTextCentred(c, "STOP", cx, h - 8.5f + shift, label);
    return c;
}

Canvas DrawButton(const ButtonDesign& design, const Canvas& base, ButtonState state) {
    switch (design.look) {
    case ButtonLook::Tool: return ToolButton(base, design.symbol, state);
    case ButtonLook::Title: return TitleButton(base, design.symbol, false, state);
    case ButtonLook::TitleDanger: return TitleButton(base, design.symbol, true, state);
    case ButtonLook::DarkPill: return PillButton(base, design.label, design.symbol, PillLook::Dark, state);
    case ButtonLook::AccentPill: return PillButton(base, design.label, design.symbol, PillLook::Accent, state);
    case ButtonLook::NeutralPill: return PillButton(base, design.label, design.symbol, PillLook::Neutral, state);
    case ButtonLook::Round: return RoundButton(base, design.symbol, state);
    case ButtonLook::FloatStop: return FloatStopButton(base.Width(), base.Height(), state);
    }
    return base;
}

}  // namespace skin
