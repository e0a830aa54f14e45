#include "skin/Symbols.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "skin/Shapes.h"

namespace skin::symbol {
namespace {

// Maps a 24-unit design grid onto the symbol's square.
struct Grid {
    float cx, cy, unit;
    Point operator()(float x, float y) const { return {cx + (x - 12) * unit, cy + (y - 12) * unit}; }
    float Len(float v) const { return v * unit; }
    // Stroke width: two grid units, never thinner than a crisp pixel.
    float Weight(float units = 2.0f) const { return std::max(units * unit, 1.3f); }
};

Grid MakeGrid(float cx, float cy, float size) {
    return {cx, cy, size / 24};
}

Shape Line(const Grid& g, std::vector<Point> units, float weight) {
    for (Point& p : units) p = g(p.x, p.y);
    return Polyline(std::move(units), weight);
}

Shape Area(const Grid& g, std::vector<Point> units) {
    for (Point& p : units) p = g(p.x, p.y);
    return Polygon(std::move(units));
}

Shape Box(const Grid& g, float x0, float y0, float x1, float y1, float radius) {
    Point a = g(x0, y0), b = g(x1, y1);
    return RoundRect(a.x, a.y, b.x, b.y, g.Len(radius));
}

// A filled polygon with softly rounded corners.
Shape RoundedArea(const Grid& g, std::vector<Point> units, float rounding) {
    Shape area = Area(g, units);
    units.push_back(units.front());
    return Union(area, Line(g, std::move(units), g.Len(rounding)));
}

}  // namespace

void Camera(Canvas& c, float cx, float cy, float size, const Rgba& ink, const Rgba& accent) {
    Grid g = MakeGrid(cx, cy, size);
    float w = g.Weight();
    c.Fill(InnerOutline(Box(g, 1.5f, 6, 16, 18, 2.5f), w), ink);
    c.Fill(Line(g, {{16, 10.5f}, {22, 7}, {22, 17}, {16, 13.5f}}, w), ink);
    c.Fill(Circle(g(8.75f, 12).x, g(8.75f, 12).y, g.Len(2.8f)), accent);
}

void Region(Canvas& c, float cx, float cy, float size, const Rgba& ink, const Rgba& accent) {
    Grid g = MakeGrid(cx, cy, size);
    float w = g.Weight();
    c.Fill(Line(g, {{3, 8.5f}, {3, 3}, {8.5f, 3}}, w), ink);
    c.Fill(Line(g, {{15.5f, 3}, {21, 3}, {21, 8.5f}}, w), ink);
    c.Fill(Line(g, {{21, 15.5f}, {21, 21}, {15.5f, 21}}, w), ink);
    c.Fill(Line(g, {{8.5f, 21}, {3, 21}, {3, 15.5f}}, w), ink);
    c.Fill(Circle(cx, cy, g.Len(4)), accent);
}

void RecordDot(Canvas& c, float cx, float cy, float size, const Rgba& accent) {
    c.Fill(Circle(cx, cy, size * 0.3f), accent);
}

void Stop(Canvas& c, float cx, float cy, float size, const Rgba& ink) {
    Grid g = MakeGrid(cx, cy, size);
    c.Fill(Box(g, 6, 6, 18, 18, 2.5f), ink);
}

void Convert(Canvas& c, float cx, float cy, float size, const Rgba& ink) {
    Grid g = MakeGrid(cx, cy, size);
    float w = g.Weight();
    c.Fill(Union(Line(g, {{3.5f, 8}, {19.5f, 8}}, w), Line(g, {{15.5f, 4}, {19.5f, 8}, {15.5f, 12}}, w)),
           ink);
    c.Fill(Union(Line(g, {{20.5f, 16}, {4.5f, 16}}, w), Line(g, {{8.5f, 12}, {4.5f, 16}, {8.5f, 20}}, w)),
           ink);
}

void Home(Canvas& c, float cx, float cy, float size, const Rgba& ink) {
    Grid g = MakeGrid(cx, cy, size);
    float w = g.Weight();
    Shape roof = Line(g, {{2.5f, 12}, {12, 3.5f}, {21.5f, 12}}, w);
    Shape walls = Line(g, {{5.5f, 10}, {5.5f, 20.5f}, {18.5f, 20.5f}, {18.5f, 10}}, w);
    Shape door = Line(g, {{10, 20.5f}, {10, 15}, {14, 15}, {14, 20.5f}}, w);
    c.Fill(Union(Union(roof, walls), door), ink);
}

void Minimise(Canvas& c, float cx, float cy, float size, const Rgba& ink) {
    Grid g = MakeGrid(cx, cy, size);
    c.Fill(Line(g, {{6.5f, 12.5f}, {17.5f, 12.5f}}, g.Weight(2.2f)), ink);
}

void Cross(Canvas& c, float cx, float cy, float size, const Rgba& ink) {
    Grid g = MakeGrid(cx, cy, size);
    float w = g.Weight(2.2f);
    c.Fill(Union(Line(g, {{7, 7}, {17, 17}}, w), Line(g, {{17, 7}, {7, 17}}, w)), ink);
}

void Folder(Canvas& c, float cx, float cy, float size, const Rgba& ink) {
    Grid g = MakeGrid(cx, cy, size);
    c.Fill(Line(g, {{3, 19}, {3, 5}, {9, 5}, {11, 7.5f}, {21, 7.5f}, {21, 19}, {3, 19}}, g.Weight()),
           ink);
}

void Play(Canvas& c, float cx, float cy, float size, const Rgba& ink) {
    Grid g = MakeGrid(cx, cy, size);
    c.Fill(RoundedArea(g, {{8, 5}, {19.5f, 12}, {8, 19}}, 2), ink);
}

void Pause(Canvas& c, float cx, float cy, float size, const Rgba& ink) {
    Grid g = MakeGrid(cx, cy, size);
    c.Fill(Union(Box(g, 6.5f, 5, 10.5f, 19, 1.2f), Box(g, 13.5f, 5, 17.5f, 19, 1.2f)), ink);
}

void SkipStart(Canvas& c, float cx, float cy, float size, const Rgba& ink) {
    Grid g = MakeGrid(cx, cy, size);
    c.Fill(Union(Box(g, 4.5f, 5.5f, 7.5f, 18.5f, 1), RoundedArea(g, {{19.5f, 5.5f}, {9, 12}, {19.5f, 18.5f}}, 1.5f)),
           ink);
}

void SkipEnd(Canvas& c, float cx, float cy, float size, const Rgba& ink) {
    Grid g = MakeGrid(cx, cy, size);
    c.Fill(Union(Box(g, 16.5f, 5.5f, 19.5f, 18.5f, 1), RoundedArea(g, {{4.5f, 5.5f}, {15, 12}, {4.5f, 18.5f}}, 1.5f)),
           ink);
}

void Backward(Canvas& c, float cx, float cy, float size, const Rgba& ink) {
    Grid g = MakeGrid(cx, cy, size);
    c.Fill(Union(RoundedArea(g, {{12, 6}, {2.5f, 12}, {12, 18}}, 1.5f),
                 RoundedArea(g, {{21.5f, 6}, {12, 12}, {21.5f, 18}}, 1.5f)),
           ink);
}

void Forward(Canvas& c, float cx, float cy, float size, const Rgba& ink) {
    Grid g = MakeGrid(cx, cy, size);
    c.Fill(Union(RoundedArea(g, {{2.5f, 6}, {12, 12}, {2.5f, 18}}, 1.5f),
                 RoundedArea(g, {{12, 6}, {21.5f, 12}, {12, 18}}, 1.5f)),
           ink);
}

void Crop(Canvas& c, float cx, float cy, float size, const Rgba& ink) {
    Grid g = MakeGrid(cx, cy, size);
    float w = g.Weight();
    c.Fill(Union(Line(g, {{7, 2.5f}, {7, 17}, {21.5f, 17}}, w), Line(g, {{2.5f, 7}, {17, 7}, {17, 21.5f}}, w)),
           ink);
}

void Sparkle(Canvas& c, float cx, float cy, float size, const Rgba& ink) {
    Grid g = MakeGrid(cx, cy, size);
    auto star = [&](float x, float y, float outer, float inner) {
        std::vector<Point> points;
        for (int i = 0; i < 8; ++i) {
            float angle = static_cast<float>(i) * 3.14159265f / 4;
            float r = i % 2 == 0 ? outer : inner;
            points.push_back({x + std::sin(angle) * r, y - std::cos(angle) * r});
        }
        c.Fill(Area(g, points), ink);
    };
    star(10.5f, 13.5f, 9, 2.4f);
    star(19, 5, 4, 1.2f);
}

void Trim(Canvas& c, float cx, float cy, float size, const Rgba& ink, const Rgba& accent) {
    Grid g = MakeGrid(cx, cy, size);
    float w = g.Weight();
    c.Fill(Union(Line(g, {{7, 4}, {4, 4}, {4, 20}, {7, 20}}, w), Line(g, {{17, 4}, {20, 4}, {20, 20}, {17, 20}}, w)),
           ink);
    c.Fill(Line(g, {{8.5f, 12}, {15.5f, 12}}, g.Weight(3)), accent);
}

void Snapshot(Canvas& c, float cx, float cy, float size, const Rgba& ink) {
    Grid g = MakeGrid(cx, cy, size);
    float w = g.Weight();
    c.Fill(Line(g, {{2.5f, 8}, {7.5f, 8}, {9.5f, 5}, {14.5f, 5}, {16.5f, 8}, {21.5f, 8}, {21.5f, 19.5f},
                    {2.5f, 19.5f}, {2.5f, 8}},
                w),
           ink);
    Point lens = g(12, 13.5f);
    c.Fill(Outline(Circle(lens.x, lens.y, g.Len(3.6f)), w), ink);
}

void Check(Canvas& c, float cx, float cy, float size, const Rgba& ink, float weight) {
    Grid g = MakeGrid(cx, cy, size);
    c.Fill(Line(g, {{5, 12.5f}, {10, 17.5f}, {19, 7}}, weight), ink);
}

void Film(Canvas& c, float cx, float cy, float size, const Rgba& ink) {
    Grid g = MakeGrid(cx, cy, size);
    float w = g.Weight();
    c.Fill(InnerOutline(Box(g, 2.5f, 3, 21.5f, 21, 2.5f), w), ink);
    c.Fill(Union(Line(g, {{7.5f, 3.5f}, {7.5f, 20.5f}}, w), Line(g, {{16.5f, 3.5f}, {16.5f, 20.5f}}, w)),
           ink);
    // Perforations along both edges.
    for (float y : {6.5f, 10.5f, 14.5f, 18.5f}) {
        c.Fill(Box(g, 4.2f, y - 1.1f, 6.0f, y + 1.1f, 0.4f), ink);
        c.Fill(Box(g, 18.0f, y - 1.1f, 19.8f, y + 1.1f, 0.4f), ink);
    }
}

}  // namespace skin::symbol
