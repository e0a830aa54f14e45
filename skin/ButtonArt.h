// The button looks of the skin. Every look is drawn in three states over the
// background the button sits on, so that its corners blend into the window.
#pragma once

#include <functional>
#include <string>

#include "skin/Canvas.h"

namespace skin {

enum class ButtonState { Normal, Hover, Click };
inline constexpr ButtonState kButtonStates[] = {ButtonState::Normal, ButtonState::Hover,
                                                ButtonState::Click};
// "_normal", "_hover", "_click".
const char* StateSuffix(ButtonState state);

// Draws a button's picture centred on (cx, cy) in a square of side `size`.
using SymbolPainter = std::function<void(Canvas&, float cx, float cy, float size, const Rgba& ink,
                                         ButtonState state)>;

// A dark tile with a symbol: the main window's tool bar.
Canvas ToolButton(const Canvas& base, const SymbolPainter& symbol, ButtonState state);
// A bare symbol that gets a tile under the mouse: title-bar buttons. A
// dangerous one (close) turns red.
Canvas TitleButton(const Canvas& base, const SymbolPainter& symbol, bool danger, ButtonState state);

enum class PillLook { Dark, Accent, Neutral };
// A rounded button with a label and an optional symbol before it.
Canvas PillButton(const Canvas& base, const std::string& label, const SymbolPainter& symbol,
                  PillLook look, ButtonState state);
// A round button with a symbol: the players' transport buttons.
Canvas RoundButton(const Canvas& base, const SymbolPainter& symbol, ButtonState state);
// The floating stop window's only button, which is the whole window.
Canvas FloatStopButton(int width, int height, ButtonState state);

// Adapts a plain symbol, drawn in the ink alone, to a button painter.
template <typename F>
SymbolPainter Plain(F draw) {
    return [draw](Canvas& c, float cx, float cy, float size, const Rgba& ink, ButtonState) {
        draw(c, cx, cy, size, ink);
    };
}

enum class ButtonLook { Tool, Title, TitleDanger, DarkPill, AccentPill, NeutralPill, Round, FloatStop };

// What a button of the skin looks like; its size comes from the windows' layouts.
struct ButtonDesign {
    const char* name;
    ButtonLook look;
    SymbolPainter symbol;
    const char* label = "";
};

// Draws the button over `base`, which has the button's size.
Canvas DrawButton(const ButtonDesign& design, const Canvas& base, ButtonState state);

}  // namespace skin
