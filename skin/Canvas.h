// A small floating-point RGBA canvas with anti-aliased shape filling. Shapes
// are signed distance functions, so edges get smooth coverage at any size.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace skin {

struct Rgba {
    float r = 0, g = 0, b = 0, a = 1;
};

// 0xRRGGBB, fully opaque unless an alpha is given.
constexpr Rgba Hex(uint32_t rgb, float alpha = 1.0f) {
    return {static_cast<float>((rgb >> 16) & 0xFF) / 255.0f,
            static_cast<float>((rgb >> 8) & 0xFF) / 255.0f,
            static_cast<float>(rgb & 0xFF) / 255.0f, alpha};
}

Rgba Mix(const Rgba& a, const Rgba& b, float t);

// A region of the plane: negative distance inside, positive outside, in
// pixels. The box bounds where the distance can be below one pixel.
struct Shape {
    std::function<float(float, float)> distance;
    float left = 0, top = 0, right = 0, bottom = 0;
};

// The colour a shape is filled with at a point (straight alpha).
using Paint = std::function<Rgba(float, float)>;
Paint Solid(const Rgba& colour);
Paint VerticalGradient(float top, const Rgba& atTop, float bottom, const Rgba& atBottom);

class Canvas {
public:
    Canvas(int width, int height, const Rgba& fill = {0, 0, 0, 0});

    int Width() const { return m_width; }
    int Height() const { return m_height; }

    // Straight-alpha colour of a pixel.
    Rgba At(int x, int y) const;

    void Fill(const Shape& shape, const Paint& paint, float opacity = 1.0f);
    void Fill(const Shape& shape, const Rgba& colour) { Fill(shape, Solid(colour)); }
    // Draws another canvas over this one with its top-left corner at (x, y).
    void Draw(const Canvas& source, int x, int y);
    // A copy of a rectangle of this canvas; parts outside come out as `outside`.
    Canvas Crop(int x, int y, int width, int height, const Rgba& outside) const;

private:
    int m_width;
    int m_height;
    std::vector<Rgba> m_pixels;  // premultiplied
};

}  // namespace skin
