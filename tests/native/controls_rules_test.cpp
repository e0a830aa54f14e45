// The sliders' and the masked edit's rules: the value scale, the trim bar's
// clamping and what a drag posts, and what typing does to a masked time.
#include <gtest/gtest.h>

#include <climits>

#include "controls/ColourKey.h"
#include "controls/MaskRules.h"
#include "controls/SliderScale.h"
#include "controls/TrimRangeModel.h"

namespace {

using trimbar::Post;

TEST(SliderScale, MapsBetweenTheMarginsAndSurvivesEmptyRangesAndNarrowControls) {
    // 210 wide, margin 9: 192 pixels for 0..100.
    EXPECT_EQ(slider::ValueToPixel(0, 0, 100, 9, 210), 9);
    EXPECT_EQ(slider::ValueToPixel(100, 0, 100, 9, 210), 201);
    EXPECT_EQ(slider::ValueToPixel(33, 0, 100, 9, 210), 9 + 192 * 33 / 100);
    EXPECT_EQ(slider::PixelToValue(201, 0, 100, 9, 210), 100);
    EXPECT_EQ(slider::PixelToValue(9 + 96, 0, 100, 9, 210), 50);
    // Large ranges do not overflow.
    EXPECT_EQ(slider::ValueToPixel(INT_MAX, INT_MIN, INT_MAX, 0, 1000), 1000);
    // An empty range or no room between the margins divides by nothing.
    EXPECT_EQ(slider::ValueToPixel(5, 5, 5, 9, 210), 9);
    EXPECT_EQ(slider::ValueToPixel(50, 0, 100, 9, 12), 9);
    EXPECT_EQ(slider::PixelToValue(100, 0, 100, 9, 18), 0);
    EXPECT_EQ(slider::PixelToValue(100, 7, 7, 9, 210), 7);
}

TEST(SliderKeys, StepsPagesAndEndsStayInTheRange) {
    using slider::Key;
    EXPECT_EQ(slider::PositionAfterKey(Key::Right, 50, 0, 100, 20), 51);
    EXPECT_EQ(slider::PositionAfterKey(Key::Down, 50, 0, 100, 20), 49);
    EXPECT_EQ(slider::PositionAfterKey(Key::PageUp, 90, 0, 100, 20), 100);
    EXPECT_EQ(slider::PositionAfterKey(Key::PageDown, 10, 0, 100, 20), 0);
    EXPECT_EQ(slider::PositionAfterKey(Key::Home, 37, 0, 100, 20), 0);
    EXPECT_EQ(slider::PositionAfterKey(Key::End, 37, 0, 100, 20), 100);
    EXPECT_EQ(slider::PositionAfterKey(Key::Left, INT32_MIN, INT32_MIN, 0, 20), INT32_MIN);
}

trimbar::TrimRangeModel Bar() {
    trimbar::TrimRangeModel bar;
    bar.SetSizes({11, 14, 8, 9, 16, 210, 38});
    bar.SetRange(0, 100);
    return bar;
}

TEST(TrimRangeModel, StartNeverReachesEndAndThePositionFollowsTheMarkers) {
    trimbar::TrimRangeModel bar = Bar();
    bar.SetEnd(60);
    EXPECT_EQ(bar.Position(), 60);
    bar.SetStart(60);
    EXPECT_EQ(bar.Start(), 59);
    bar.SetStart(500);
    EXPECT_EQ(bar.Start(), 59);
    EXPECT_EQ(bar.Position(), 59);
    bar.SetEnd(10);
    EXPECT_EQ(bar.End(), 60);
    bar.SetEnd(200);
    EXPECT_EQ(bar.End(), 100);
    bar.SetStart(-20);
    EXPECT_EQ(bar.Start(), 0);
    bar.SetPosition(130);
    EXPECT_EQ(bar.Position(), 100);
    bar.SetRange(10, 20);
    EXPECT_EQ(bar.Start(), 10);
    EXPECT_EQ(bar.End(), 20);
    EXPECT_EQ(bar.Position(), 10);

    // An empty range keeps its parts at the margin rather than failing.
    bar.SetRange(5, 5);
    bar.SetStart(5);
    bar.SetEnd(5);
    EXPECT_EQ(bar.Thumb().left, 9 - 5);
    bool handled = false;
    ASSERT_TRUE(bar.ButtonDown(5, 3));
    bar.Move(150, handled);
    EXPECT_EQ(bar.Position(), 5);
}

TEST(TrimRangeModel, LayoutPutsThumbBarAndMarkersOnTheirRows) {
    trimbar::TrimRangeModel bar = Bar();
    // At rest the start marker begins at the client's left edge and the end
    // marker ends at its right edge.
    EXPECT_EQ(bar.StartMarker().left, 0);
    EXPECT_EQ(bar.StartMarker().right, 9);
    EXPECT_EQ(bar.EndMarker().right, 210);
    EXPECT_EQ(bar.StartMarker().top, 22);
    EXPECT_EQ(bar.StartMarker().bottom, 38);
    EXPECT_EQ(bar.Thumb().top, 0);
    EXPECT_EQ(bar.Thumb().bottom, 14);
    EXPECT_EQ(bar.Thumb().left, 9 - 5);
    bar.SetStart(25);
    bar.SetEnd(75);
    EXPECT_EQ(bar.Selection().left, bar.Pixel(25));
    EXPECT_EQ(bar.Selection().right, bar.Pixel(75));
    EXPECT_EQ(bar.Selection().top, 14);
    EXPECT_EQ(bar.Selection().bottom, 22);
}

TEST(TrimRangeModel, DragsPostMarkerMessagesBeforeThePositionAndEndMessagesBeforeTheEnd) {
    trimbar::TrimRangeModel bar = Bar();
    bool handled = false;

    // The start marker, grabbed 3 pixels left of its edge.
    ASSERT_TRUE(bar.ButtonDown(6, 30));
    EXPECT_TRUE(bar.DraggingStart());
    EXPECT_FALSE(bar.DraggingThumb());
    std::vector<Post> posts = bar.Move(bar.Pixel(25) - 3, handled);
    EXPECT_TRUE(handled);
    EXPECT_EQ(posts, (std::vector<Post>{{msg::kTrimStartMoved, 25}, {msg::kTrimPositionMoved, 25}}));
    // The same pixel again posts nothing.
    EXPECT_TRUE(bar.Move(bar.Pixel(25) - 3, handled).empty());
    // Dragged beyond the end, it stops one below it.
    posts = bar.Move(400, handled);
    EXPECT_EQ(posts, (std::vector<Post>{{msg::kTrimStartMoved, 99}, {msg::kTrimPositionMoved, 99}}));
    EXPECT_EQ(bar.ButtonUp(),
              (std::vector<Post>{{msg::kTrimStartDragEnded, 99}, {msg::kTrimDragEnded, 99}}));

    // The end marker, dragged left past the start, stays above it.
    bar.SetStart(20);
    ASSERT_TRUE(bar.ButtonDown(bar.EndMarker().left + 2, 30));
    posts = bar.Move(0, handled);
    EXPECT_EQ(posts, (std::vector<Post>{{msg::kTrimEndMoved, 21}, {msg::kTrimPositionMoved, 21}}));
    EXPECT_EQ(bar.ButtonUp(), (std::vector<Post>{{msg::kTrimEndDragEnded, 21}, {msg::kTrimDragEnded, 21}}));

    // The thumb moves the position only, within the margins.
    bar.SetPosition(50);
    ASSERT_TRUE(bar.ButtonDown(bar.Pixel(50), 5));
    EXPECT_EQ(bar.Move(bar.Pixel(75), handled), (std::vector<Post>{{msg::kTrimPositionMoved, 75}}));
    EXPECT_EQ(bar.Start(), 20);
    EXPECT_EQ(bar.Move(-50, handled), (std::vector<Post>{{msg::kTrimPositionMoved, 0}}));
    EXPECT_EQ(bar.ButtonUp(), (std::vector<Post>{{msg::kTrimDragEnded, 0}}));
}

TEST(TrimRangeModel, PressOutsideEveryPartStartsNothing) {
    trimbar::TrimRangeModel bar = Bar();
    EXPECT_FALSE(bar.ButtonDown(100, 18));  // the bar row between the markers
    EXPECT_FALSE(bar.ButtonDown(100, 30));  // the marker row between the markers
    bool handled = true;
    EXPECT_TRUE(bar.Move(150, handled).empty());
    EXPECT_FALSE(handled);
    EXPECT_TRUE(bar.ButtonUp().empty());
    EXPECT_EQ(bar.Position(), 0);
}

maskedit::Config TimeConfig() {
    maskedit::Config config;
    config.mask = "00:00:00";
    config.prompt = "__:__:__";
    config.defaultText = "00:00:00";
    return config;
}

maskedit::State Fresh() {
    return {"00:00:00", 0, "00:00:00"};
}

TEST(MaskedTime, DigitsFillInOverTheColonsAndTheHoursStopAt47) {
    const maskedit::Config config = TimeConfig();
    maskedit::State state = Fresh();
    for (char c : std::string("123456")) EXPECT_EQ(maskedit::TypeChar(config, state, c), maskedit::Verdict::Accept) << c;
    EXPECT_EQ(state.text, "12:34:56");
    EXPECT_EQ(state.caret, 8u);
    // Past the mask every character beeps.
    EXPECT_EQ(maskedit::TypeChar(config, state, '1'), maskedit::Verdict::Refuse);

    state = Fresh();
    EXPECT_EQ(maskedit::TypeChar(config, state, '5'), maskedit::Verdict::RefuseSilently);
    EXPECT_EQ(maskedit::TypeChar(config, state, 'x'), maskedit::Verdict::Refuse);
    EXPECT_EQ(state.text, "00:00:00");
    EXPECT_EQ(maskedit::TypeChar(config, state, '4'), maskedit::Verdict::Accept);
    EXPECT_EQ(maskedit::TypeChar(config, state, '8'), maskedit::Verdict::RefuseSilently);
    EXPECT_EQ(maskedit::TypeChar(config, state, '7'), maskedit::Verdict::Accept);
    // Minutes to 59; seconds unlimited below 9s.
    EXPECT_EQ(maskedit::TypeChar(config, state, '6'), maskedit::Verdict::RefuseSilently);
    EXPECT_EQ(maskedit::TypeChar(config, state, '5'), maskedit::Verdict::Accept);
    EXPECT_EQ(maskedit::TypeChar(config, state, '9'), maskedit::Verdict::Accept);
    EXPECT_EQ(maskedit::TypeChar(config, state, '9'), maskedit::Verdict::Accept);
    EXPECT_EQ(state.text, "47:59:90");
    // Below 4 in the first hour position, the second is free.
    state = Fresh();
    maskedit::TypeChar(config, state, '3');
    EXPECT_EQ(maskedit::TypeChar(config, state, '9'), maskedit::Verdict::Accept);
    EXPECT_EQ(state.text, "39:00:00");
}

TEST(MaskedTime, BackspaceResetsTheDigitBeforeTheCaretAndStandsBeforeIt) {
    const maskedit::Config config = TimeConfig();
    maskedit::State state = Fresh();
    for (char c : std::string("123")) maskedit::TypeChar(config, state, c);
    ASSERT_EQ(state.caret, 4u);
    EXPECT_TRUE(maskedit::Backspace(config, state, false));
    EXPECT_EQ(state.text, "12:00:00");
    EXPECT_EQ(state.caret, 3u);
    // Typing goes on from there.
    maskedit::TypeChar(config, state, '4');
    EXPECT_EQ(state.text, "12:40:00");
    // Nothing before the caret, or a selection: a beep, nothing changes.
    state.caret = 0;
    EXPECT_FALSE(maskedit::Backspace(config, state, false));
    state.caret = 4;
    EXPECT_FALSE(maskedit::Backspace(config, state, true));
    EXPECT_EQ(state.text, "12:40:00");
}

TEST(MaskedTime, AShortShadowIsNeverReadPast) {
    const maskedit::Config config = TimeConfig();
    // The owner gave a shadow shorter than the text: the limits read no
    // further than it, backspace beyond it beeps, typing extends it.
    maskedit::State state{"00:00:00", 4, "4"};
    EXPECT_EQ(maskedit::Check(config, state.shadow, 4, '9'), maskedit::Verdict::Accept);
    EXPECT_FALSE(maskedit::Backspace(config, state, false));
    EXPECT_EQ(maskedit::TypeChar(config, state, '9'), maskedit::Verdict::Accept);
    EXPECT_EQ(state.shadow, "4   9:");
    EXPECT_EQ(state.text, "00:09:00");
}

TEST(MaskedDate, DayAndMonthLimitsAndTheOtherMaskCharacters) {
    maskedit::Config date;
    date.mask = "00/00/0000";
    date.prompt = "__/__/____";
    date.dateMode = true;
    EXPECT_EQ(maskedit::Check(date, "", 0, '4'), maskedit::Verdict::RefuseSilently);
    EXPECT_EQ(maskedit::Check(date, "3", 1, '2'), maskedit::Verdict::RefuseSilently);
    EXPECT_EQ(maskedit::Check(date, "2", 1, '9'), maskedit::Verdict::Accept);
    EXPECT_EQ(maskedit::Check(date, "31/", 3, '2'), maskedit::Verdict::RefuseSilently);
    EXPECT_EQ(maskedit::Check(date, "31/1", 4, '3'), maskedit::Verdict::RefuseSilently);
    EXPECT_EQ(maskedit::Check(date, "31/0", 4, '9'), maskedit::Verdict::Accept);
    EXPECT_EQ(maskedit::Check(date, "31/12/", 6, '9'), maskedit::Verdict::Accept);

    maskedit::Config any;
    any.mask = "9#&?ALa-";
    any.extra = "*";
    const struct {
        size_t p;
        char c;
        bool ok;
    } cases[] = {{0, '7', true},  {0, 'a', false}, {1, '-', true},  {1, 'x', false}, {2, '%', true},
                 {3, ' ', true},  {3, '1', false}, {4, '1', true},  {4, ' ', false}, {5, 'Q', true},
                 {5, '1', false}, {6, ' ', true},  {6, '%', false}, {7, '-', false}, {7, '*', true}};
    for (const auto& c : cases)
        EXPECT_EQ(maskedit::Check(any, "", c.p, c.c) == maskedit::Verdict::Accept, c.ok) << c.p << " " << c.c;
}

}  // namespace

namespace {

TEST(ColourKey, MaskIsWhiteExactlyWhereTheKeyIsWithRowsPaddedToWords) {
    constexpr uint32_t kKey = 0xFF00FF, kInk = 0x202020;
    // 18 pixels wide: three bytes of pixels, padded to four.
    std::vector<uint32_t> pixels(18 * 2, kInk);
    pixels[0] = kKey;
    pixels[9] = kKey;
    pixels[17] = kKey;
    pixels[18 + 8] = 0x01FF00FF;  // the top byte is not part of the colour
    pixels[18 + 16] = 0xFE00FF;   // near the key is still picture
    std::vector<uint8_t> mask = colourkey::MonochromeMask(pixels.data(), 18, 2, kKey);
    EXPECT_EQ(mask, (std::vector<uint8_t>{0x80, 0x40, 0x40, 0x00, 0x00, 0x80, 0x00, 0x00}));
    EXPECT_TRUE(colourkey::MonochromeMask(pixels.data(), 0, 2, kKey).empty());
}

}  // namespace
