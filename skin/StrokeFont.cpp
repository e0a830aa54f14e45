#include "skin/StrokeFont.h"

#include <cctype>
#include <vector>

#include "skin/Shapes.h"

namespace skin {
namespace {

using Stroke = std::vector<Point>;

struct Glyph {
    float width;
    std::vector<Stroke> strokes;
};

const Stroke kO{{1, 0}, {3, 0}, {4, 1}, {4, 5}, {3, 6}, {1, 6}, {0, 5}, {0, 1}, {1, 0}};

const Glyph* Find(char c) {
    static const Glyph kSpace{2.4f, {}};
    static const Glyph kUnknown{4, {{{0, 0}, {4, 0}, {4, 6}, {0, 6}, {0, 0}}}};
    static const Glyph kGlyphs[] = {
        /* A */ {4, {{{0, 6}, {2, 0}, {4, 6}}, {{0.7f, 4}, {3.3f, 4}}}},
        /* B */ {4, {{{0, 3}, {0, 0}, {3, 0}, {4, 0.8f}, {4, 2.2f}, {3, 3}, {0, 3}, {0, 6},
                      {3, 6}, {4, 5.2f}, {4, 3.8f}, {3, 3}}}},
        /* C */ {4, {{{4, 1}, {3, 0}, {1, 0}, {0, 1}, {0, 5}, {1, 6}, {3, 6}, {4, 5}}}},
        /* D */ {4, {{{0, 0}, {0, 6}, {2.5f, 6}, {4, 4.5f}, {4, 1.5f}, {2.5f, 0}, {0, 0}}}},
        /* E */ {3.6f, {{{3.6f, 0}, {0, 0}, {0, 6}, {3.6f, 6}}, {{0, 3}, {3, 3}}}},
        /* F */ {3.6f, {{{3.6f, 0}, {0, 0}, {0, 6}}, {{0, 3}, {3, 3}}}},
        /* G */ {4, {{{4, 1}, {3, 0}, {1, 0}, {0, 1}, {0, 5}, {1, 6}, {3, 6}, {4, 5}, {4, 3.4f},
                      {2.4f, 3.4f}}}},
        /* H */ {4, {{{0, 0}, {0, 6}}, {{4, 0}, {4, 6}}, {{0, 3}, {4, 3}}}},
        /* I */ {2, {{{1, 0}, {1, 6}}, {{0, 0}, {2, 0}}, {{0, 6}, {2, 6}}}},
        /* J */ {4, {{{4, 0}, {4, 5}, {3, 6}, {1, 6}, {0, 5}}}},
        /* K */ {4, {{{0, 0}, {0, 6}}, {{4, 0}, {0, 3.6f}}, {{1.4f, 2.6f}, {4, 6}}}},
        /* L */ {3.6f, {{{0, 0}, {0, 6}, {3.6f, 6}}}},
        /* M */ {4.8f, {{{0, 6}, {0, 0}, {2.4f, 3.6f}, {4.8f, 0}, {4.8f, 6}}}},
        /* N */ {4, {{{0, 6}, {0, 0}, {4, 6}, {4, 0}}}},
        /* O */ {4, {kO}},
        /* P */ {4, {{{0, 6}, {0, 0}, {3, 0}, {4, 1}, {4, 2}, {3, 3}, {0, 3}}}},
        /* Q */ {4, {kO, {{2.6f, 4.6f}, {4, 6.2f}}}},
        /* R */ {4, {{{0, 6}, {0, 0}, {3, 0}, {4, 1}, {4, 2}, {3, 3}, {0, 3}}, {{2, 3}, {4, 6}}}},
        /* S */ {4, {{{4, 1}, {3, 0}, {1, 0}, {0, 1}, {0, 2}, {1, 3}, {3, 3}, {4, 4}, {4, 5}, {3, 6},
                      {1, 6}, {0, 5}}}},
        /* T */ {4, {{{0, 0}, {4, 0}}, {{2, 0}, {2, 6}}}},
        /* U */ {4, {{{0, 0}, {0, 5}, {1, 6}, {3, 6}, {4, 5}, {4, 0}}}},
        /* V */ {4, {{{0, 0}, {2, 6}, {4, 0}}}},
        /* W */ {5, {{{0, 0}, {1.2f, 6}, {2.5f, 2.4f}, {3.8f, 6}, {5, 0}}}},
        /* X */ {4, {{{0, 0}, {4, 6}}, {{4, 0}, {0, 6}}}},
        /* Y */ {4, {{{0, 0}, {2, 3}, {4, 0}}, {{2, 3}, {2, 6}}}},
        /* Z */ {4, {{{0, 0}, {4, 0}, {0, 6}, {4, 6}}}},
    };
    static const Glyph kDigits[] = {
        /* 0 */ {4, {kO}},
        /* 1 */ {3, {{{0.6f, 1.2f}, {2, 0}, {2, 6}}}},
        /* 2 */ {4, {{{0, 1}, {1, 0}, {3, 0}, {4, 1}, {4, 2.2f}, {0, 6}, {4, 6}}}},
        /* 3 */ {4, {{{0, 1}, {1, 0}, {3, 0}, {4, 1}, {4, 2}, {3, 3}, {1.6f, 3}},
                     {{3, 3}, {4, 4}, {4, 5}, {3, 6}, {1, 6}, {0, 5}}}},
        /* 4 */ {4, {{{3, 6}, {3, 0}, {0, 4.2f}, {4, 4.2f}}}},
        /* 5 */ {4, {{{4, 0}, {0.3f, 0}, {0, 3}, {3, 3}, {4, 4}, {4, 5}, {3, 6}, {1, 6}, {0, 5}}}},
        /* 6 */ {4, {{{4, 1}, {3, 0}, {1, 0}, {0, 1}, {0, 5}, {1, 6}, {3, 6}, {4, 5}, {4, 4}, {3, 3},
                     {0, 3}}}},
        /* 7 */ {4, {{{0, 0}, {4, 0}, {1.6f, 6}}}},
        /* 8 */ {4, {{{1, 3}, {0, 2.2f}, {0, 0.8f}, {1, 0}, {3, 0}, {4, 0.8f}, {4, 2.2f}, {3, 3},
                      {1, 3}, {0, 4}, {0, 5}, {1, 6}, {3, 6}, {4, 5}, {4, 4}, {3, 3}}}},
        /* 9 */ {4, {{{0, 5}, {1, 6}, {3, 6}, {4, 5}, {4, 1}, {3, 0}, {1, 0}, {0, 1}, {0, 2}, {1, 3},
                     {4, 3}}}},
    };
    static const Glyph kDot{0.6f, {{{0.3f, 6}}}};
    static const Glyph kColon{0.6f, {{{0.3f, 1.8f}}, {{0.3f, 5.6f}}}};
    static const Glyph kDash{3, {{{0, 3.4f}, {3, 3.4f}}}};
    static const Glyph kQuestion{4, {{{0, 1}, {1, 0}, {3, 0}, {4, 1}, {4, 2}, {2, 3.4f}, {2, 4.2f}},
                                     {{2, 6}}}};
    static const Glyph kSlash{3, {{{0, 6}, {3, 0}}}};
    static const Glyph kPlus{4, {{{0, 3}, {4, 3}}, {{2, 1}, {2, 5}}}};

    unsigned char u = static_cast<unsigned char>(std::toupper(static_cast<unsigned char>(c)));
    if (u >= 'A' && u <= 'Z') return &kGlyphs[u - 'A'];
    if (u >= '0' && u <= '9') return &kDigits[u - '0'];
    switch (u) {
    case ' ': return &kSpace;
    case '.': return &kDot;
    case ':': return &kColon;
    case '-': return &kDash;
    case '?': return &kQuestion;
    case '/': return &kSlash;
    case '+': return &kPlus;
    default: return &kUnknown;
    }
}

}  // namespace

float TextWidth(const std::string& text, const TextStyle& style) {
    if (text.empty()) return 0;
    float unit = style.capHeight / 6;
    float units = 0;
    for (char c : text) units += Find(c)->width + style.tracking;
    units -= style.tracking;
    return units * unit + style.weight;
}

void DrawText(Canvas& canvas, const std::string& text, float x, float y, const TextStyle& style) {
    float unit = style.capHeight / 6;
    float half = style.weight / 2;
    float penX = x + half;
    // One shape for the whole text, so that crossing strokes are not blended twice.
    Shape ink;
    bool any = false;
    for (char c : text) {
        const Glyph* glyph = Find(c);
        for (const Stroke& stroke : glyph->strokes) {
            std::vector<Point> points;
            for (const Point& p : stroke) points.push_back({penX + p.x * unit, y + half + p.y * unit});
            Shape line = Polyline(points, style.weight);
            ink = any ? Union(ink, line) : line;
            any = true;
        }
        penX += (glyph->width + style.tracking) * unit;
    }
    if (any) canvas.Fill(ink, style.colour);
}

void DrawTextCentred(Canvas& canvas, const std::string& text, float cx, float cy,
                     const TextStyle& style) {
    float width = TextWidth(text, style);
    float height = style.capHeight + style.weight;
    DrawText(canvas, text, cx - width / 2, cy - height / 2, style);
}

}  // namespace skin
