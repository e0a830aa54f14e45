// A small stroked capital-letter font for the skin's button labels. Glyphs are
// polylines on a grid six units high; lower-case letters are drawn as capitals.
#pragma once

#include <string>

#include "skin/Canvas.h"

namespace skin {

struct TextStyle {
    float capHeight = 7;  // pixels
    float weight = 1.2f;  // stroke width in pixels
    float tracking = 1.6f;  // grid units between letters
    Rgba colour;
};

// Width in pixels of the text's ink, strokes included.
float TextWidth(const std::string& text, const TextStyle& style);
// Draws the text with the top-left corner of its ink at (x, y).
void DrawText(Canvas& canvas, const std::string& text, float x, float y, const TextStyle& style);
// Draws the text centred on (cx, cy).
void DrawTextCentred(Canvas& canvas, const std::string& text, float cx, float cy,
                     const TextStyle& style);

}  // namespace skin
