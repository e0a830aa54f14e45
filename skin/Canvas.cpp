#include "skin/Canvas.h"

#include <algorithm>
#include <cmath>

namespace skin {

Rgba Mix(const Rgba& a, const Rgba& b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t,
            a.a + (b.a - a.a) * t};
}

Paint Solid(const Rgba& colour) {
    return [colour](float, float) { return colour; };
}

Paint VerticalGradient(float top, const Rgba& atTop, float bottom, const Rgba& atBottom) {
    return [=](float, float y) {
        float t = bottom > top ? std::clamp((y - top) / (bottom - top), 0.0f, 1.0f) : 0.0f;
        return Mix(atTop, atBottom, t);
    };
}

Canvas::Canvas(int width, int height, const Rgba& fill)
    : m_width(std::max(width, 0)), m_height(std::max(height, 0)),
      m_pixels(static_cast<size_t>(m_width) * static_cast<size_t>(m_height),
               Rgba{fill.r * fill.a, fill.g * fill.a, fill.b * fill.a, fill.a}) {}

Rgba Canvas::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) return {0, 0, 0, 0};
    const Rgba& p = m_pixels[static_cast<size_t>(y) * m_width + x];
    if (p.a <= 0) return {0, 0, 0, 0};
    return {p.r / p.a, p.g / p.a, p.b / p.a, p.a};
}

void Canvas::Fill(const Shape& shape, const Paint& paint, float opacity) {
    int x0 = std::max(0, static_cast<int>(std::floor(shape.left)) - 1);
    int y0 = std::max(0, static_cast<int>(std::floor(shape.top)) - 1);
    int x1 = std::min(m_width, static_cast<int>(std::ceil(shape.right)) + 1);
    int y1 = std::min(m_height, static_cast<int>(std::ceil(shape.bottom)) + 1);
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            float cx = static_cast<float>(x) + 0.5f, cy = static_cast<float>(y) + 0.5f;
            float coverage = std::clamp(0.5f - shape.distance(cx, cy), 0.0f, 1.0f);
            if (coverage <= 0) continue;
            Rgba src = paint(cx, cy);
            float alpha = src.a * coverage * opacity;
            Rgba& dst = m_pixels[static_cast<size_t>(y) * m_width + x];
            dst.r = src.r * alpha + dst.r * (1 - alpha);
            dst.g = src.g * alpha + dst.g * (1 - alpha);
            dst.b = src.b * alpha + dst.b * (1 - alpha);
            dst.a = alpha + dst.a * (1 - alpha);
        }
    }
}

void Canvas::Draw(const Canvas& source, int x, int y) {
    for (int sy = 0; sy < source.m_height; ++sy) {
        int dy = y + sy;
        if (dy < 0 || dy >= m_height) continue;
        for (int sx = 0; sx < source.m_width; ++sx) {
            int dx = x + sx;
            if (dx < 0 || dx >= m_width) continue;
            const Rgba& src = source.m_pixels[static_cast<size_t>(sy) * source.m_width + sx];
            Rgba& dst = m_pixels[static_cast<size_t>(dy) * m_width + dx];
            dst.r = src.r + dst.r * (1 - src.a);
            dst.g = src.g + dst.g * (1 - src.a);
            dst.b = src.b + dst.b * (1 - src.a);
            dst.a = src.a + dst.a * (1 - src.a);
        }
    }
}

Canvas Canvas::Crop(int x, int y, int width, int height, const Rgba& outside) const {
    Canvas out(width, height, outside);
    for (int cy = 0; cy < out.m_height; ++cy) {
        int sy = y + cy;
        if (sy < 0 || sy >= m_height) continue;
        for (int cx = 0; cx < out.m_width; ++cx) {
            int sx = x + cx;
            if (sx < 0 || sx >= m_width) continue;
            out.m_pixels[static_cast<size_t>(cy) * out.m_width + cx] =
                m_pixels[static_cast<size_t>(sy) * m_width + sx];
        }
    }
    return out;
}

}  // namespace skin
