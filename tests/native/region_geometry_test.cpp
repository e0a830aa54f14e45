// The rectangle rules of the flashing frame and the region selector.
#include <gtest/gtest.h>

#include "region/RegionGeometry.h"

using engine::BoxRect;
using engine::FrameShape;
using engine::InFrameShape;
using engine::MakeFrameShape;

namespace {

// Counts the shape's pixels in a box of frame-relative coordinates.
int CountInShape(const FrameShape& shape, BoxRect area) {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) count += InFrameShape(shape, x, y);
    return count;
}

}  // namespace

TEST(FrameShape, LeavesFourCornerMarksOutsideTheFramedRectangle) {
    const int w = 640, h = 480;
    const FrameShape shape = MakeFrameShape(w, h);

    // Nothing of the framed rectangle (8, 8) .. (w + 7, h + 7) is in the shape.
    EXPECT_EQ(CountInShape(shape, {8, 8, w + 8, h + 8}), 0);
    // Nothing outside the band either.
    EXPECT_FALSE(InFrameShape(shape, -1, 0));
    EXPECT_FALSE(InFrameShape(shape, 0, -1));
    EXPECT_FALSE(InFrameShape(shape, w + 15, 0));
    EXPECT_FALSE(InFrameShape(shape, 0, h + 15));

    // Top-left mark: arms of 24 pixels from the outer corner, 8 wide.
    EXPECT_TRUE(InFrameShape(shape, 0, 0));
    EXPECT_TRUE(InFrameShape(shape, 23, 7));
    EXPECT_FALSE(InFrameShape(shape, 24, 0));
    EXPECT_TRUE(InFrameShape(shape, 7, 23));
    EXPECT_FALSE(InFrameShape(shape, 0, 24));
    EXPECT_FALSE(InFrameShape(shape, 8, 8));
    EXPECT_EQ(CountInShape(shape, {0, 0, 40, 40}), 24 * 8 + 16 * 8);

    // Bottom-right mark: arms of 27 pixels (from w + 15 back to w - 12), the
    // band there 7 pixels wide.
    EXPECT_TRUE(InFrameShape(shape, w + 14, h + 14));
    EXPECT_TRUE(InFrameShape(shape, w - 12, h + 14));
    EXPECT_FALSE(InFrameShape(shape, w - 13, h + 14));
    EXPECT_TRUE(InFrameShape(shape, w + 14, h - 12));
    EXPECT_FALSE(InFrameShape(shape, w + 14, h - 13));
    EXPECT_FALSE(InFrameShape(shape, w + 7, h + 7));
    EXPECT_TRUE(InFrameShape(shape, w + 8, h + 7));
    EXPECT_EQ(CountInShape(shape, {w - 30, h - 30, w + 20, h + 20}), 27 * 7 + 20 * 7);

    // The other two corners mix the two: 24 along one edge, 27 along the other.
    EXPECT_TRUE(InFrameShape(shape, w - 12, 0));
    EXPECT_FALSE(InFrameShape(shape, w - 13, 0));
    EXPECT_TRUE(InFrameShape(shape, w + 14, 23));
    EXPECT_FALSE(InFrameShape(shape, w + 14, 24));
    EXPECT_TRUE(InFrameShape(shape, 0, h - 12));
    EXPECT_TRUE(InFrameShape(shape, 23, h + 14));

    // The middle of every side is cut away.
    EXPECT_FALSE(InFrameShape(shape, w / 2, 3));
    EXPECT_FALSE(InFrameShape(shape, w / 2, h + 10));
    EXPECT_FALSE(InFrameShape(shape, 3, h / 2));
    EXPECT_FALSE(InFrameShape(shape, w + 10, h / 2));

    // Four marks in all.
    const int band = (w + 15) * (h + 15) - w * h;
    EXPECT_EQ(CountInShape(shape, {-5, -5, w + 20, h + 20}),
              band - 8 * (w - 36) - 7 * (w - 36) - 8 * (h - 36) - 7 * (h - 36));
}

TEST(FrameShape, SmallFramesKeepTheWholeBandInsteadOfLosingTheirMarks) {
    // Below 37 pixels the middle cuts have no length: the marks meet and the
    // band stays whole, rather than a reversed cut wiping out the marks.
    for (int size : {1, 4, 20, 36}) {
        const FrameShape shape = MakeFrameShape(size, size);
        EXPECT_TRUE(shape.acrossStrip.Empty()) << size;
        EXPECT_TRUE(shape.downStrip.Empty()) << size;
        const int band = (size + 15) * (size + 15) - size * size;
        EXPECT_EQ(CountInShape(shape, {-2, -2, size + 17, size + 17}), band) << size;
    }
    // At 37 the first pixel of each side is cut.
    const FrameShape shape = MakeFrameShape(37, 37);
    EXPECT_FALSE(InFrameShape(shape, 24, 0));
    EXPECT_TRUE(InFrameShape(shape, 25, 0));
}

TEST(FrameBand, CoversTheMarksAndIsPaintedOnlyForAFrameWithRoom) {
    const ScreenRect framed{100, 100, 739, 579};
    EXPECT_EQ(engine::BandBox(framed), (BoxRect{92, 92, 747, 587}));
    EXPECT_TRUE(engine::CanFillBand(framed));
    EXPECT_FALSE(engine::CanFillBand(ScreenRect{}));  // never framed
    EXPECT_FALSE(engine::CanFillBand({5, 5, 5, 40}));
    EXPECT_FALSE(engine::CanFillBand({5, 5, 40, 5}));
    // The box reaches exactly the outer edge of the shape on every side.
    const FrameShape shape = MakeFrameShape(framed.Width(), framed.Height());
    const BoxRect band = engine::BandBox(framed);
    EXPECT_EQ(band.right - band.left, shape.outer.right);
    EXPECT_EQ(band.bottom - band.top, shape.outer.bottom);
}

TEST(FrameMove, KeepsTheSizeWhilePushingTheFrameBackOntoTheScreen) {
    const ScreenRect framed{100, 100, 739, 579};  // 640 x 480

    // Dragged by (-300, -300): ends at the top-left corner, same size.
    ScreenRect moved = engine::MoveFrameOnScreen(framed, -300, -300, 1280, 1024);
    EXPECT_EQ(moved, (ScreenRect{0, 0, 639, 479}));

    // A plain move inside the screen.
    EXPECT_EQ(engine::MoveFrameOnScreen(framed, 50, -20, 1280, 1024),
              (ScreenRect{150, 80, 789, 559}));
    // No movement changes nothing.
    EXPECT_EQ(engine::MoveFrameOnScreen(framed, 0, 0, 1280, 1024), framed);

    // Past the right and bottom edges: flush with them, same size.
    moved = engine::MoveFrameOnScreen(framed, 900, 800, 1280, 1024);
    EXPECT_EQ(moved, (ScreenRect{640, 544, 1279, 1023}));
    EXPECT_EQ(moved.Width(), 640);
    EXPECT_EQ(moved.Height(), 480);

    // One axis clamped, the other moved.
    EXPECT_EQ(engine::MoveFrameOnScreen(framed, -150, 10, 1280, 1024),
              (ScreenRect{0, 110, 639, 589}));
    EXPECT_EQ(engine::MoveFrameOnScreen(framed, 10, 2000, 1280, 1024),
              (ScreenRect{110, 544, 749, 1023}));

    // A frame as large as the screen cannot move at all.
    const ScreenRect full{0, 0, 1279, 1023};
    EXPECT_EQ(engine::MoveFrameOnScreen(full, 40, -40, 1280, 1024), full);
}

TEST(Selection, TellsEmptyFromDrawn) {
    EXPECT_TRUE(engine::IsEmptySelection({300, 300, 300, 300}));  // a click
    EXPECT_TRUE(engine::IsEmptySelection({300, 300, 500, 300}));  // a line
    EXPECT_TRUE(engine::IsEmptySelection({300, 300, 300, 500}));
    EXPECT_FALSE(engine::IsEmptySelection({300, 300, 301, 301}));
}

TEST(Selection, LabelTellsOriginAndInclusiveSize) {
    EXPECT_EQ(engine::SelectionLabel({100, 100, 500, 400}),
              "Left : 100  Top : 100  Width : 401  Height : 301");
    EXPECT_EQ(engine::SelectionLabel({0, 0, 1279, 1023}),
              "Left : 0  Top : 0  Width : 1280  Height : 1024");
}

TEST(Selection, LabelGoesAboveWhenThereIsRoomAndBelowOtherwise) {
    const int cx = 250, cy = 13;
    // Room above: the text sits cy + 5 above the top edge.
    engine::LabelLayout above = engine::PlaceLabel({100, 100, 500, 400}, cx, cy);
    EXPECT_EQ(above.x, 106);
    EXPECT_EQ(above.y, 100 - 18);
    EXPECT_EQ(above.textX, 110);
    EXPECT_EQ(above.box, (BoxRect{106, 78, 364, 99}));
    EXPECT_LT(above.box.bottom, 100 + 1);  // clear of the band

    // Exactly cy + 5 from the top still fits above.
    EXPECT_EQ(engine::PlaceLabel({10, 18, 200, 300}, cx, cy).y, 0);
    // One pixel less and it goes below, 5 under the bottom edge.
    engine::LabelLayout below = engine::PlaceLabel({10, 17, 200, 300}, cx, cy);
    EXPECT_EQ(below.y, 305);
    EXPECT_EQ(below.box, (BoxRect{16, 301, 274, 322}));
    EXPECT_GT(below.box.top, 300);
}

TEST(Selection, RubberBandStripsAreInsideTheRectangleAndDoNotOverlap) {
    const ScreenRect rect{100, 100, 500, 400};
    const auto strips = engine::RubberBandStrips(rect);
    EXPECT_EQ(strips[0], (BoxRect{100, 100, 500, 103}));  // top
    EXPECT_EQ(strips[1], (BoxRect{100, 103, 103, 397}));  // left
    EXPECT_EQ(strips[2], (BoxRect{497, 103, 500, 397}));  // right
    EXPECT_EQ(strips[3], (BoxRect{100, 397, 500, 400}));  // bottom

    // Every pixel of the outline is inverted exactly once, so a second pass
    // puts the screen back.
    for (int y = 95; y < 405; ++y)
        for (int x = 95; x < 505; ++x) {
            int covered = 0;
            for (const BoxRect& strip : strips) covered += strip.Contains(x, y);
            const bool onOutline = x >= 100 && x < 500 && y >= 100 && y < 400 &&
                                   (x < 103 || x >= 497 || y < 103 || y >= 397);
            ASSERT_EQ(covered, onOutline ? 1 : 0) << x << "," << y;
        }

    // A rectangle too low for side strips keeps empty ones.
    const auto flat = engine::RubberBandStrips({10, 10, 60, 14});
    EXPECT_TRUE(flat[1].Empty());
    EXPECT_TRUE(flat[2].Empty());
}
