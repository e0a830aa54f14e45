#include "editing/CropRules.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace crop {

Rect PresetRect(int32_t cropMode) {
    switch (cropMode) {
        case 1: return {40, 30, 280, 210};
        case 2: return {0, 30, 320, 210};
        case 3: return {40, 0, 280, 240};
        default: return {};
    }
}

namespace {

// Grid value to source pixels; int64 because record values are not trusted.
int32_t GridToSource(int32_t value, int32_t sourceSize, int32_t gridSize) {
    return static_cast<int32_t>(int64_t{value} * sourceSize / gridSize);
}

int32_t SourceToGrid(int32_t value, int32_t sourceSize, int32_t gridSize) {
    return static_cast<int32_t>(int64_t{value} * gridSize / sourceSize);
}

}  // namespace

EdgeValues ToSource(const Rect& rect, int32_t sourceWidth, int32_t sourceHeight) {
    return {GridToSource(rect.top, sourceHeight, kGridHeight), GridToSource(rect.bottom, sourceHeight, kGridHeight),
            GridToSource(rect.left, sourceWidth, kGridWidth), GridToSource(rect.right, sourceWidth, kGridWidth)};
}

int32_t ApplyEdgeValue(Rect& rect, Edge edge, int32_t value, int32_t sourceWidth, int32_t sourceHeight) {
    const bool vertical = edge == Edge::Top || edge == Edge::Bottom;
    const int32_t sourceSize = vertical ? sourceHeight : sourceWidth;
    const int32_t gridSize = vertical ? kGridHeight : kGridWidth;
    const bool known = sourceSize > 0;
    const int32_t grid = known ? SourceToGrid(value, sourceSize, gridSize) : 0;
    switch (edge) {
        case Edge::Top:
            if (known) rect.top = std::min(grid, rect.bottom - kMinSize);
            return rect.top == 0 ? 0 : 1;
        case Edge::Bottom:
            if (known) rect.bottom = std::max(grid, rect.top + kMinSize);
            return rect.bottom == kGridHeight ? 0 : 1;
        case Edge::Left:
            if (known) rect.left = std::min(grid, rect.right - kMinSize);
            return rect.left == 0 ? 0 : 1;
        case Edge::Right:
            if (known) rect.right = std::max(grid, rect.left + kMinSize);
            return rect.right == kGridWidth ? 0 : 1;
    }
    return 1;
}

Drag HitTest(const Rect& r, int32_t x, int32_t y) {
    const auto near = [](int32_t a, int32_t b) { return std::abs(a - b) <= kHitTolerance; };
    const bool betweenX = x > r.left && x < r.right;
    const bool betweenY = y > r.top && y < r.bottom;
    if (near(x, r.left) && near(y, r.top)) return Drag::TopLeft;
    if (near(x, r.right) && near(y, r.bottom)) return Drag::BottomRight;
    if (near(x, r.right) && near(y, r.top)) return Drag::TopRight;
    if (near(x, r.left) && near(y, r.bottom)) return Drag::BottomLeft;
    if (near(y, r.top) && betweenX) return Drag::Top;
    if (near(y, r.bottom) && betweenX) return Drag::Bottom;
    if (near(x, r.left) && betweenY) return Drag::Left;
    if (near(x, r.right) && betweenY) return Drag::Right;
    if (x > r.left + kHitTolerance && x < r.right - kHitTolerance && y > r.top + kHitTolerance &&
        y < r.bottom - kHitTolerance)
        return Drag::Move;
    return Drag::None;
}

bool RectDrag::Begin(const Rect& rect, int32_t x, int32_t y) {
    m_mode = HitTest(rect, x, y);
    m_anchorX = x;
    m_anchorY = y;
    m_width = rect.right - rect.left;
    m_height = rect.bottom - rect.top;
    return m_mode != Drag::None;
}

namespace {

constexpr int32_t kMaxRight = kGridWidth - kDragMargin;
constexpr int32_t kMaxBottom = kGridHeight - kDragMargin;

void DragTop(Rect& r, int32_t dy) { r.top = std::min(std::max(r.top + dy, kDragMargin), r.bottom - kMinSize); }
void DragBottom(Rect& r, int32_t dy) { r.bottom = std::max(std::min(r.bottom + dy, kMaxBottom), r.top + kMinSize); }
void DragLeft(Rect& r, int32_t dx) { r.left = std::min(std::max(r.left + dx, kDragMargin), r.right - kMinSize); }
void DragRight(Rect& r, int32_t dx) { r.right = std::max(std::min(r.right + dx, kMaxRight), r.left + kMinSize); }

// Shifts [low, low + size) by `delta` within the margins; a span wider than
// the room between them cannot move along that axis and stays.
void Shift(int32_t& low, int32_t& high, int32_t size, int32_t delta, int32_t maxHigh) {
    if (size > maxHigh - kDragMargin) return;
    low = std::clamp(low + delta, kDragMargin, maxHigh - size);
    high = low + size;
}

}  // namespace

bool RectDrag::Move(Rect& rect, int32_t x, int32_t y) {
    if (m_mode == Drag::None) return false;
    const int32_t dx = x - m_anchorX;
    const int32_t dy = y - m_anchorY;
    switch (m_mode) {
        case Drag::Move:
            if (std::abs(dx) + std::abs(dy) <= kMoveThreshold) return false;
            Shift(rect.left, rect.right, m_width, dx, kMaxRight);
            Shift(rect.top, rect.bottom, m_height, dy, kMaxBottom);
            break;
        case Drag::Top: DragTop(rect, dy); break;
        case Drag::Bottom: DragBottom(rect, dy); break;
        case Drag::Left: DragLeft(rect, dx); break;
        case Drag::Right: DragRight(rect, dx); break;
        case Drag::TopLeft: DragTop(rect, dy); DragLeft(rect, dx); break;
        case Drag::TopRight: DragTop(rect, dy); DragRight(rect, dx); break;
        case Drag::BottomLeft: DragBottom(rect, dy); DragLeft(rect, dx); break;
        case Drag::BottomRight: DragBottom(rect, dy); DragRight(rect, dx); break;
        case Drag::None: return false;
    }
    m_anchorX = x;
    m_anchorY = y;
    return true;
}

void Highlight(const uint8_t* frame, uint8_t* out, int32_t width, int32_t height, const Rect& rect) {
    if (!frame || !out || width <= 0 || height <= 0) return;
    const size_t luma = size_t(width) * size_t(height);
    const size_t chroma = size_t(width / 2) * size_t(height / 2);
    std::memcpy(out + luma, frame + luma, 2 * chroma);
    for (size_t i = 0; i < luma; ++i) out[i] = frame[i] >> 1;

    // The rectangle in samples, cut to the picture.
    const auto toSamples = [](int32_t grid, int32_t size, int32_t gridSize) {
        return static_cast<int32_t>(std::clamp<int64_t>(int64_t{size} * grid / gridSize, 0, size - 1));
    };
    const int32_t x0 = toSamples(rect.left, width, kGridWidth);
    const int32_t x1 = toSamples(rect.right, width, kGridWidth);
    const int32_t y0 = toSamples(rect.top, height, kGridHeight);
    const int32_t y1 = toSamples(rect.bottom, height, kGridHeight);
    if (x1 < x0 || y1 < y0) return;

    for (int32_t y = y0; y <= y1; ++y) {
        const size_t row = size_t(y) * size_t(width);
        const bool borderRow = y <= y0 + 1 || y >= y1 - 1;
        for (int32_t x = x0; x <= x1; ++x) {
            const bool border = borderRow || x <= x0 + 1 || x >= x1 - 1;
            out[row + x] = border ? 255 : frame[row + x];
        }
    }
}

}  // namespace crop
