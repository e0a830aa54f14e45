#include "controls/TrimRangeModel.h"

#include "controls/SliderScale.h"

namespace trimbar {

void TrimRangeModel::SetRange(int32_t minimum, int32_t maximum) {
    m_minimum = minimum;
    m_maximum = maximum;
    m_position = m_start = minimum;
    m_end = maximum;
}

void TrimRangeModel::SetStart(int32_t value) {
    m_start = value;
    if (m_start > m_end - 1) m_start = m_end - 1;
    if (m_start < m_minimum) m_start = m_minimum;
    SetPosition(m_start);
}

void TrimRangeModel::SetEnd(int32_t value) {
    m_end = value;
    if (m_end > m_maximum) m_end = m_maximum;
    if (m_start >= m_end) m_end = m_start + 1;
    SetPosition(m_end);
}

void TrimRangeModel::SetPosition(int32_t value) {
    m_position = slider::Clamp(value, m_minimum, m_maximum);
}

int32_t TrimRangeModel::Pixel(int32_t value) const {
    return slider::ValueToPixel(value, m_minimum, m_maximum, m_sizes.markerWidth, m_sizes.controlWidth);
}

Box TrimRangeModel::Thumb() const {
    const int32_t left = Pixel(m_position) - m_sizes.thumbWidth / 2;
    return {left, 0, left + m_sizes.thumbWidth, m_sizes.thumbHeight};
}

Box TrimRangeModel::StartMarker() const {
    const int32_t right = Pixel(m_start);
    return {right - m_sizes.markerWidth, MarkerTop(), right, MarkerTop() + m_sizes.markerHeight};
}

Box TrimRangeModel::EndMarker() const {
    const int32_t left = Pixel(m_end);
    return {left, MarkerTop(), left + m_sizes.markerWidth, MarkerTop() + m_sizes.markerHeight};
}

Box TrimRangeModel::Selection() const {
    return {StartMarker().right, m_sizes.thumbHeight, EndMarker().left,
            m_sizes.thumbHeight + m_sizes.barHeight};
}

bool TrimRangeModel::ButtonDown(int32_t x, int32_t y) {
    // Overlapping parts start together; a move serves the first of them.
    if (Thumb().Contains(x, y)) {
        m_dragThumb = true;
        m_grabThumb = x - Pixel(m_position);
    }
    if (StartMarker().Contains(x, y)) {
        m_dragStart = true;
        m_grabStart = x - Pixel(m_start);
    }
    if (EndMarker().Contains(x, y)) {
        m_dragEnd = true;
        m_grabEnd = x - Pixel(m_end);
    }
    return m_dragThumb || m_dragStart || m_dragEnd;
}

std::vector<Post> TrimRangeModel::Move(int32_t x, bool& handled) {
    handled = m_dragThumb || m_dragStart || m_dragEnd;
    std::vector<Post> posts;
    if (!handled) return posts;
    const int32_t grab = m_dragThumb ? m_grabThumb : m_dragStart ? m_grabStart : m_grabEnd;
    const int32_t current = m_dragThumb ? m_position : m_dragStart ? m_start : m_end;
    const Box client = Client();
    const int32_t pixel = slider::Clamp(x - grab, client.left + m_sizes.markerWidth,
                                        client.right - m_sizes.markerWidth);
    if (pixel == Pixel(current)) return posts;
    const int32_t value = slider::PixelToValue(pixel, m_minimum, m_maximum, m_sizes.markerWidth,
                                               m_sizes.controlWidth);
    if (m_dragThumb) {
        SetPosition(value);
    } else if (m_dragStart) {
        SetStart(value);
        posts.push_back({msg::kTrimStartMoved, m_start});
    } else {
        SetEnd(value);
        posts.push_back({msg::kTrimEndMoved, m_end});
    }
    posts.push_back({msg::kTrimPositionMoved, m_position});
    return posts;
}

std::vector<Post> TrimRangeModel::ButtonUp() {
    std::vector<Post> posts;
    if (m_dragThumb) posts.push_back({msg::kTrimDragEnded, m_position});
    if (m_dragStart) {
        posts.push_back({msg::kTrimStartDragEnded, m_position});
        posts.push_back({msg::kTrimDragEnded, m_position});
    }
    if (m_dragEnd) {
        posts.push_back({msg::kTrimEndDragEnded, m_position});
        posts.push_back({msg::kTrimDragEnded, m_position});
    }
    m_dragThumb = m_dragStart = m_dragEnd = false;
    return posts;
}

}  // namespace trimbar
