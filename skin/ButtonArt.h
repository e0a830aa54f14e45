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

}  // namespace skin
