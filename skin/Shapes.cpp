#include "skin/Shapes.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace skin {
namespace {

float SegmentDistance(Point p, Point a, Point b) {
    float abx = b.x - a.x, aby = b.y - a.y;
    float apx = p.x - a.x, apy = p.y - a.y;
    float lengthSquared = abx * abx + aby * aby;
    float t = lengthSquared > 0 ? std::clamp((apx * abx + apy * aby) / lengthSquared, 0.0f, 1.0f)
                                : 0.0f;
    return std::hypot(apx - abx * t, apy - aby * t);
}

Shape BoundsOf(const std::vector<Point>& points, float margin) {
    Shape s;
    s.left = s.top = std::numeric_limits<float>::max();
    s.right = s.bottom = std::numeric_limits<float>::lowest();
    for (const Point& p : points) {
        s.left = std::min(s.left, p.x - margin);
        s.top = std::min(s.top, p.y - margin);
        s.right = std::max(s.right, p.x + margin);
        s.bottom = std::max(s.bottom, p.y + margin);
    }
    return s;
}

}  // namespace

Shape RoundRect(float left, float top, float right, float bottom, float radius) {
    float cx = (left + right) / 2, cy = (top + bottom) / 2;
    float hx = (right - left) / 2, hy = (bottom - top) / 2;
    float r = std::clamp(radius, 0.0f, std::min(hx, hy));
    Shape s;
    s.distance = [=](float x, float y) {
        float qx = std::fabs(x - cx) - (hx - r), qy = std::fabs(y - cy) - (hy - r);
        float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
        return outside + std::min(std::max(qx, qy), 0.0f) - r;
    };
    s.left = left, s.top = top, s.right = right, s.bottom = bottom;
    return s;
}

Shape Rect(float left, float top, float right, float bottom) {
    return RoundRect(left, top, right, bottom, 0);
}

Shape Circle(float cx, float cy, float radius) {
    Shape s;
    s.distance = [=](float x, float y) { return std::hypot(x - cx, y - cy) - radius; };
    s.left = cx - radius, s.top = cy - radius, s.right = cx + radius, s.bottom = cy + radius;
    return s;
}

Shape Segment(Point a, Point b, float width) {
    return Polyline({a, b}, width);
}

Shape Polyline(std::vector<Point> points, float width) {
    Shape s = BoundsOf(points, width / 2);
    float half = width / 2;
    s.distance = [points = std::move(points), half](float x, float y) {
        float best = std::numeric_limits<float>::max();
        if (points.size() == 1) return std::hypot(x - points[0].x, y - points[0].y) - half;
        for (size_t i = 1; i < points.size(); ++i)
            best = std::min(best, SegmentDistance({x, y}, points[i - 1], points[i]));
        return best - half;
    };
    return s;
}

Shape Polygon(std::vector<Point> points) {
    Shape s = BoundsOf(points, 0);
    s.distance = [points = std::move(points)](float x, float y) {
        float best = std::numeric_limits<float>::max();
        bool inside = false;
        size_t n = points.size();
        for (size_t i = 0, j = n - 1; i < n; j = i++) {
            const Point& a = points[i];
            const Point& b = points[j];
            best = std::min(best, SegmentDistance({x, y}, a, b));
            if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x)
                inside = !inside;
        }
        return inside ? -best : best;
    };
    return s;
}

Shape Outline(const Shape& shape, float width) {
    Shape s = shape;
    float half = width / 2;
    s.distance = [d = shape.distance, half](float x, float y) { return std::fabs(d(x, y)) - half; };
    s.left -= half, s.top -= half, s.right += half, s.bottom += half;
    return s;
}

Shape InnerOutline(const Shape& shape, float width) {
    Shape s = shape;
    s.distance = [d = shape.distance, width](float x, float y) {
        float v = d(x, y);
        return std::max(v, -width - v);
    };
    return s;
}

Shape Union(const Shape& a, const Shape& b) {
    Shape s;
    s.distance = [da = a.distance, db = b.distance](float x, float y) {
        return std::min(da(x, y), db(x, y));
    };
    s.left = std::min(a.left, b.left), s.top = std::min(a.top, b.top);
    s.right = std::max(a.right, b.right), s.bottom = std::max(a.bottom, b.bottom);
    return s;
}

Shape Subtract(const Shape& from, const Shape& cut) {
    Shape s = from;
    s.distance = [da = from.distance, db = cut.distance](float x, float y) {
        return std::max(da(x, y), -db(x, y));
    };
    return s;
}

Shape Intersect(const Shape& a, const Shape& b) {
    Shape s;
    s.distance = [da = a.distance, db = b.distance](float x, float y) {
        return std::max(da(x, y), db(x, y));
    };
    s.left = std::max(a.left, b.left), s.top = std::max(a.top, b.top);
    s.right = std::min(a.right, b.right), s.bottom = std::min(a.bottom, b.bottom);
    return s;
}

Shape Moved(const Shape& shape, float dx, float dy) {
    Shape s;
    s.distance = [d = shape.distance, dx, dy](float x, float y) { return d(x - dx, y - dy); };
    s.left = shape.left + dx, s.top = shape.top + dy;
    s.right = shape.right + dx, s.bottom = shape.bottom + dy;
    return s;
}

}  // namespace skin
