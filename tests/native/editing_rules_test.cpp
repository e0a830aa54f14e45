// The crop dialog's rectangle rules and highlight, and the effects dialog's
// picture and sound arithmetic.
#include <gtest/gtest.h>

#include <vector>

#include "editing/CropRules.h"
#include "editing/EffectRules.h"

namespace {

// A planar YUV 4:2:0 picture with every luma sample `y` and chroma `u`, `v`.
std::vector<uint8_t> Picture(int w, int h, uint8_t y, uint8_t u, uint8_t v) {
    const size_t luma = size_t(w) * h, chroma = size_t(w / 2) * (h / 2);
    std::vector<uint8_t> p(luma + 2 * chroma, y);
    std::fill(p.begin() + luma, p.begin() + luma + chroma, u);
    std::fill(p.begin() + luma + chroma, p.end(), v);
    return p;
}

TEST(CropRules, PresetsEdgesAndTextsOnTheGrid) {
    const crop::Rect all = crop::PresetRect(1);
    EXPECT_EQ(crop::ToSource(all, 640, 480), (crop::EdgeValues{60, 420, 80, 560}));
    EXPECT_EQ(crop::PresetRect(7), crop::Rect{});

    // The right edge back at the source width is "No crop", whatever the rest.
    crop::Rect r = all;
    EXPECT_EQ(crop::ApplyEdgeValue(r, crop::Edge::Right, 640, 640, 480), 0);
    EXPECT_EQ(r, (crop::Rect{40, 30, 320, 210}));
    // An edge typed past its opposite keeps 10 from it.
    EXPECT_EQ(crop::ApplyEdgeValue(r, crop::Edge::Top, 479, 640, 480), 1);
    EXPECT_EQ(r.top, 200);
    // No source size: nothing is divided and the rectangle stays.
    EXPECT_EQ(crop::ApplyEdgeValue(r, crop::Edge::Left, 100, 0, 0), 1);
    EXPECT_EQ(r, (crop::Rect{40, 200, 320, 210}));
    EXPECT_EQ(crop::ToSource(r, 0, 0), crop::EdgeValues{});
}

TEST(CropRules, HitTestsPreferCornersAndDragsKeepTheMargins) {
    const crop::Rect r{40, 30, 280, 210};
    EXPECT_EQ(crop::HitTest(r, 41, 32), crop::Drag::TopLeft);
    EXPECT_EQ(crop::HitTest(r, 278, 30), crop::Drag::TopRight);
    EXPECT_EQ(crop::HitTest(r, 100, 28), crop::Drag::Top);
    EXPECT_EQ(crop::HitTest(r, 282, 100), crop::Drag::Right);
    EXPECT_EQ(crop::HitTest(r, 100, 100), crop::Drag::Move);
    EXPECT_EQ(crop::HitTest(r, 42, 100), crop::Drag::Left);
    EXPECT_EQ(crop::HitTest(r, 43, 100), crop::Drag::Move);
    EXPECT_EQ(crop::HitTest(r, 10, 10), crop::Drag::None);

    crop::Rect d = r;
    crop::RectDrag drag;
    ASSERT_TRUE(drag.Begin(d, 100, 30));
    drag.Move(d, 100, 230);  // down by 200: stops 10 above the bottom
    EXPECT_EQ(d.top, 200);
    drag.Move(d, 100, 130);  // then up by 100 from there
    EXPECT_EQ(d.top, 100);
    drag.Move(d, 100, -200);
    EXPECT_EQ(d.top, 10);

    d = r;
    ASSERT_TRUE(drag.Begin(d, 150, 100));
    EXPECT_FALSE(drag.Move(d, 153, 101));  // 4 or less: nothing
    EXPECT_EQ(d, r);
    EXPECT_TRUE(drag.Move(d, 160, 100));   // counted from the press: 10 right
    EXPECT_EQ(d, (crop::Rect{50, 30, 290, 210}));
    drag.Move(d, 260, 100);  // stops at 310, keeping the size
    EXPECT_EQ(d, (crop::Rect{70, 30, 310, 210}));

    // A rectangle wider than the margins allow cannot move sideways.
    d = crop::PresetRect(2);
    ASSERT_TRUE(drag.Begin(d, 160, 120));
    drag.Move(d, 170, 140);
    EXPECT_EQ(d, (crop::Rect{0, 50, 320, 230}));
    // A corner moves both its edges.
    d = r;
    ASSERT_TRUE(drag.Begin(d, 280, 210));
    drag.Move(d, 400, 0);
    EXPECT_EQ(d, (crop::Rect{40, 30, 310, 40}));
}

TEST(CropHighlight, HalvesOutsideKeepsInsideAndDrawsATwoSampleBorderOnOddPictures) {
    const int w = 33, h = 25;  // odd: chroma 16 × 12
    const auto in = Picture(w, h, 100, 60, 200);
    std::vector<uint8_t> out(in.size(), 0);
    crop::Highlight(in.data(), out.data(), w, h, {80, 60, 240, 180});  // x 8..24, y 6..18
    const auto Y = [&](int x, int y) { return int(out[size_t(y) * w + x]); };
    EXPECT_EQ(Y(0, 0), 50);
    EXPECT_EQ(Y(7, 10), 50);
    EXPECT_EQ(Y(8, 10), 255);
    EXPECT_EQ(Y(9, 10), 255);
    EXPECT_EQ(Y(10, 10), 100);
    EXPECT_EQ(Y(22, 10), 100);
    EXPECT_EQ(Y(23, 10), 255);
    EXPECT_EQ(Y(12, 7), 255);
    EXPECT_EQ(Y(12, 8), 100);
    EXPECT_EQ(Y(12, 19), 50);
    EXPECT_TRUE(std::equal(in.begin() + w * h, in.end(), out.begin() + w * h));

    // The full grid (and anything past it) borders the picture's last column and row.
    crop::Highlight(in.data(), out.data(), w, h, {-50, -50, 9999, 9999});
    EXPECT_EQ(Y(0, 12), 255);
    EXPECT_EQ(Y(w - 1, h - 1), 255);
    EXPECT_EQ(Y(w - 2, 12), 255);
    EXPECT_EQ(Y(w - 3, 12), 100);
    // One-sample pictures and inverted rectangles stay inside the buffer.
    const auto tiny = Picture(1, 1, 8, 0, 0);
    std::vector<uint8_t> tinyOut(tiny.size());
    crop::Highlight(tiny.data(), tinyOut.data(), 1, 1, {});
    EXPECT_EQ(tinyOut[0], 255);
    crop::Highlight(in.data(), out.data(), w, h, {300, 200, 10, 10});
    EXPECT_EQ(Y(15, 12), 50);
}

TEST(Effects, WorkedValuesOfBrightnessContrastSaturationAndTheSpecialEffects) {
    const int w = 3, h = 3;  // odd: one chroma sample per plane
    std::vector<uint8_t> in = Picture(w, h, 200, 100, 30);
    in[1] = 16;
    in[2] = 0;
    in[3] = 255;
    std::vector<uint8_t> scratch(in.size());
    const auto run = [&](effects::PictureSettings s) {
        const uint8_t* p = effects::Apply(in.data(), scratch.data(), w, h, s);
        return std::vector<uint8_t>(p, p + in.size());
    };
    // Neutral: the frame itself, extremes included.
    EXPECT_EQ(effects::Apply(in.data(), scratch.data(), w, h, {}), in.data());

    auto out = run({100, 100, 0, effects::kNoEffect});
    EXPECT_EQ((std::vector<int>{out[0], out[1], out[2], out[3]}), (std::vector<int>{240, 116, 100, 240}));
    EXPECT_EQ(out[9], 100);  // T[i] = i
    EXPECT_EQ(out[10], 30);

    out = run({-20, 0, 0, effects::kNoEffect});  // con 0: all 128 + bri, chroma 128
    EXPECT_EQ((std::vector<int>{out[0], out[2], out[9], out[10]}), (std::vector<int>{108, 108, 128, 128}));

    out = run({0, 100, -100, effects::kNoEffect});  // sat -100: gray, luma still limited
    EXPECT_EQ((std::vector<int>{out[2], out[3], out[9], out[10]}), (std::vector<int>{16, 240, 128, 128}));

    out = run({0, 100, 0, effects::kNegative});
    EXPECT_EQ((std::vector<int>{out[2], out[3], out[9], out[10]}), (std::vector<int>{255, 0, 155, 225}));

    out = run({50, 100, 0, effects::kGray});
    EXPECT_EQ((std::vector<int>{out[0], out[1], out[9], out[10]}), (std::vector<int>{240, 66, 128, 128}));

    uint8_t table[256];
    effects::BuildChromaTable(table, 200, 100);  // stretched four times, limited
    EXPECT_EQ((std::vector<int>{table[0], table[100], table[128], table[140], table[255]}),
              (std::vector<int>{0, 16, 128, 176, 255}));
}

TEST(Effects, VolumeInSinglePrecisionIsClippedToTheSampleRange) {
    EXPECT_EQ(effects::ScaleSample(10000, 200), 19999);
    EXPECT_EQ(effects::ScaleSample(1000, 100), 999);
    EXPECT_EQ(effects::ScaleSample(-1000, 100), -999);
    // A loud call at 200 % stays at full scale instead of wrapping into noise
    // (20000 once became -25537).
    EXPECT_EQ(effects::ScaleSample(20000, 200), 32767);
    EXPECT_EQ(effects::ScaleSample(-20000, 200), -32768);
    EXPECT_EQ(effects::ScaleSample(-32768, 200), -32768);
    EXPECT_EQ(effects::ScaleSample(16384, 200), 32767);
    int16_t samples[4] = {32767, -32768, 5, 30000};
    effects::ScaleSamples(samples, 2, 0);
    effects::ScaleSamples(samples + 2, 2, 150);
    EXPECT_EQ((std::vector<int>{samples[0], samples[1], samples[2], samples[3]}),
              (std::vector<int>{0, 0, 7, 32767}));
}

}  // namespace
