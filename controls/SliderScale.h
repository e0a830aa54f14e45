// The value scale of the skinned sliders and the progress bar: values of a
// range [minimum, maximum] laid out between two margins of a control. No
// window system here.
#pragma once

#include <cstdint>

namespace slider {

// The pixel of value v: margin + (width - 2 margin) x (v - minimum) /
// (maximum - minimum), truncated toward zero. An empty range puts every
// value at the left margin; a control narrower than its margins has no room
// between them, so every value is at the margin too.
int32_t ValueToPixel(int32_t value, int32_t minimum, int32_t maximum, int32_t margin, int32_t width);

// The value at pixel x: minimum + (x - margin) / (width - 2 margin) x
// (maximum - minimum), truncated toward zero. With no room between the
// margins every pixel gives the minimum.
int32_t PixelToValue(int32_t x, int32_t minimum, int32_t maximum, int32_t margin, int32_t width);

// value held within [low, high]; low wins when the two cross.
int32_t Clamp(int32_t value, int32_t low, int32_t high);

// Keys a keyboard-driven slider answers.
enum class Key { Left, Right, Up, Down, PageUp, PageDown, Home, End };

// The position after a key: arrows one step (left and down lower it), page
// keys a page (page down lowers it), Home the minimum, End the maximum,
// always within the range.
int32_t PositionAfterKey(Key key, int32_t position, int32_t minimum, int32_t maximum, int32_t page);

}  // namespace slider
