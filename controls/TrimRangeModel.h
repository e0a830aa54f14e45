// The trim bar's behaviour without a window: its value range, the position
// thumb and the start and end markers with their clamping, where each part
// lies, and what a drag with the mouse posts to the parent, in order.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/PrivateMessages.h"

namespace trimbar {

// A rectangle with right and bottom just outside it.
struct Box {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
    bool Contains(int32_t x, int32_t y) const { return x >= left && x < right && y >= top && y < bottom; }
};

// A message to post, with the value for its lParam.
struct Post {
    uint32_t message;
    int32_t value;
    bool operator==(const Post&) const = default;
};

// The picture sizes that fix the layout.
struct Sizes {
    int32_t thumbWidth = 0, thumbHeight = 0;
    int32_t barHeight = 0;
    int32_t markerWidth = 0, markerHeight = 0;
    int32_t controlWidth = 0, controlHeight = 0;
};

class TrimRangeModel {
public:
    void SetSizes(const Sizes& sizes) { m_sizes = sizes; }
    const Sizes& GetSizes() const { return m_sizes; }

    // Sets the range; position and start go to the minimum, end to the maximum.
    void SetRange(int32_t minimum, int32_t maximum);
    // The start stays below the end and within the range; the thumb follows it.
    void SetStart(int32_t value);
    // The end stays within the range and above the start; the thumb follows it.
    void SetEnd(int32_t value);
    void SetPosition(int32_t value);

    int32_t Minimum() const { return m_minimum; }
    int32_t Maximum() const { return m_maximum; }
    int32_t Start() const { return m_start; }
    int32_t End() const { return m_end; }
    int32_t Position() const { return m_position; }

    // The pixel of a value: the marker width is the margin at both ends.
    int32_t Pixel(int32_t value) const;

    // Where the parts are drawn and hit, from the current values.
    Box Client() const { return {0, 0, m_sizes.controlWidth, m_sizes.controlHeight}; }
    Box Thumb() const;
    Box StartMarker() const;
    Box EndMarker() const;
    // The selection bar between the markers, on the bar row.
    Box Selection() const;

    // Mouse handling. ButtonDown starts a drag of every part under the point
    // and says whether any started. Move serves the first active drag and
    // returns what to post; `handled` is false when no drag is active (the
    // move gets default processing). ButtonUp ends every drag.
    bool ButtonDown(int32_t x, int32_t y);
    std::vector<Post> Move(int32_t x, bool& handled);
    std::vector<Post> ButtonUp();

    bool DraggingThumb() const { return m_dragThumb; }
    bool DraggingStart() const { return m_dragStart; }
    bool DraggingEnd() const { return m_dragEnd; }

private:
    int32_t MarkerTop() const { return m_sizes.thumbHeight + m_sizes.barHeight; }

    Sizes m_sizes;
    int32_t m_grabThumb = 0, m_grabStart = 0, m_grabEnd = 0;
    int32_t m_minimum = 0, m_maximum = 100;
    int32_t m_start = 0, m_end = 100;
    int32_t m_position = 0;
    bool m_dragThumb = false, m_dragStart = false, m_dragEnd = false;
};

}  // namespace trimbar
