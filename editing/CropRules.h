// The crop and zoom dialog's rules without a window: the preset rectangles,
// the conversion between the 320 × 240 preview grid and source pixels, the
// up-down edits' edge rules, the mouse hit tests and drags, and the picture
// that dims everything outside the rectangle.
#pragma once

#include <cstdint>

namespace crop {

// The preview grid every rectangle value lives on, whatever the source size.
inline constexpr int32_t kGridWidth = 320;
inline constexpr int32_t kGridHeight = 240;
// While dragging, the rectangle keeps this margin and this least size.
inline constexpr int32_t kDragMargin = 10;
inline constexpr int32_t kMinSize = 10;
// How near an edge or corner the mouse must be to grab it.
inline constexpr int32_t kHitTolerance = 2;
// A move drag waits until |dx| + |dy| exceeds this.
inline constexpr int32_t kMoveThreshold = 4;

struct Rect {
    int32_t left = 0, top = 0, right = kGridWidth, bottom = kGridHeight;
    bool operator==(const Rect&) const = default;
};

inline constexpr int32_t kCropModes = 4;
inline constexpr const char* kCropModeNames[kCropModes] = {
    "No crop", "Cut off all", "Cut off top and bottom", "Cut off left and right"};
inline constexpr int32_t kZoomModes = 3;
inline constexpr const char* kZoomModeNames[kZoomModes] = {"Letterbox", "Pan and scan", "Full Screen"};

// The rectangle a crop list entry sets; an unknown entry gives the full grid.
Rect PresetRect(int32_t cropMode);

// The four edit texts' values, in source pixels.
struct EdgeValues {
    int32_t top = 0, bottom = 0, left = 0, right = 0;
    bool operator==(const EdgeValues&) const = default;
};
EdgeValues ToSource(const Rect& rect, int32_t sourceWidth, int32_t sourceHeight);

enum class Edge { Top, Bottom, Left, Right };

// Takes one edge from its edit's value in source pixels, keeping 10 from the
// opposite edge, and returns the crop mode this leaves: 0 when the edge is
// back at the grid's border, else 1. Without a source size in that direction
// the rectangle is left as it is.
int32_t ApplyEdgeValue(Rect& rect, Edge edge, int32_t value, int32_t sourceWidth, int32_t sourceHeight);

// Drag modes, also what a hit test finds.
enum class Drag : int32_t {
    None = 0,
    Move = 1,
    Top = 2,
    Bottom = 3,
    Left = 4,
    Right = 5,
    TopLeft = 6,
    TopRight = 7,
    BottomLeft = 8,
    BottomRight = 9,
};

// What lies under a point of the preview grid: a corner or edge of the
// rectangle (tested in the order top-left, bottom-right, top-right,
// bottom-left, top, bottom, left, right), its inside, or nothing.
Drag HitTest(const Rect& rect, int32_t x, int32_t y);

// One rectangle drag with the mouse, in preview-grid coordinates.
class RectDrag {
public:
    // Starts a drag of whatever lies under the point; false (and no drag)
    // when nothing of the rectangle does.
    bool Begin(const Rect& rect, int32_t x, int32_t y);
    // Follows the mouse; true when the rectangle changed.
    bool Move(Rect& rect, int32_t x, int32_t y);
    void End() { m_mode = Drag::None; }
    Drag Mode() const { return m_mode; }

private:
    Drag m_mode = Drag::None;
    int32_t m_anchorX = 0, m_anchorY = 0;
    int32_t m_width = 0, m_height = 0;
};

// Writes into `out` the picture of `frame` (planar YUV 4:2:0, chroma planes
// (width / 2) × (height / 2)) with the luma outside `rect` halved, the inside
// unchanged and a white border two samples wide on the rectangle's edges;
// chroma is copied as it is. Rectangles past the picture are cut to it.
void Highlight(const uint8_t* frame, uint8_t* out, int32_t width, int32_t height, const Rect& rect);

}  // namespace crop
