// Signed distance shapes for the canvas. Coordinates are continuous pixel
// coordinates: the pixel (x, y) covers [x, x + 1) x [y, y + 1).
#pragma once

#include <vector>

#include "skin/Canvas.h"

namespace skin {

struct Point {
    float x = 0, y = 0;
};

Shape RoundRect(float left, float top, float right, float bottom, float radius);
Shape Rect(float left, float top, float right, float bottom);
Shape Circle(float cx, float cy, float radius);
// A line of the given width with round ends.
Shape Segment(Point a, Point b, float width);
// Connected segments of the given width with round joins.
Shape Polyline(std::vector<Point> points, float width);
// A closed polygon (any winding; self-intersection is not supported).
Shape Polygon(std::vector<Point> points);

// The outline of a shape, centred on its edge.
Shape Outline(const Shape& shape, float width);
// The outline kept inside the shape, so that it stays within the shape's bounds.
Shape InnerOutline(const Shape& shape, float width);
Shape Union(const Shape& a, const Shape& b);
Shape Subtract(const Shape& from, const Shape& cut);
Shape Intersect(const Shape& a, const Shape& b);
// The shape moved by (dx, dy).
Shape Moved(const Shape& shape, float dx, float dy);

}  // namespace skin
