#include "controls/SliderScale.h"

namespace slider {

int32_t ValueToPixel(int32_t value, int32_t minimum, int32_t maximum, int32_t margin, int32_t width) {
    const int64_t span = static_cast<int64_t>(maximum) - minimum;
    const int64_t room = static_cast<int64_t>(width) - 2 * static_cast<int64_t>(margin);
    if (span == 0 || room <= 0) return margin;
    return static_cast<int32_t>(margin + room * (static_cast<int64_t>(value) - minimum) / span);
}

int32_t PixelToValue(int32_t x, int32_t minimum, int32_t maximum, int32_t margin, int32_t width) {
    const int64_t span = static_cast<int64_t>(maximum) - minimum;
    const int64_t room = static_cast<int64_t>(width) - 2 * static_cast<int64_t>(margin);
    if (room <= 0) return minimum;
    return static_cast<int32_t>(minimum + (static_cast<int64_t>(x) - margin) * span / room);
}

int32_t Clamp(int32_t value, int32_t low, int32_t high) {
    if (value > high) value = high;
    if (value < low) value = low;
    return value;
}

int32_t PositionAfterKey(Key key, int32_t position, int32_t minimum, int32_t maximum, int32_t page) {
    int64_t next = position;
    switch (key) {
    case Key::Left:
    case Key::Down: next -= 1; break;
    case Key::Right:
    case Key::Up: next += 1; break;
    case Key::PageDown: next -= page; break;
    case Key::PageUp: next += page; break;
    case Key::Home: next = minimum; break;
    case Key::End: next = maximum; break;
    }
    if (next > maximum) next = maximum;
    if (next < minimum) next = minimum;
    return static_cast<int32_t>(next);
}

}  // namespace slider
