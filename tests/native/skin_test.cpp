// The skin generator and its file formats: what it writes must be readable
// as Windows bitmaps and icons, complete for every window that loads it, and
// drawn so that the buttons blend into the window and show their states.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <unistd.h>

#include "skin/Canvas.h"
#include "skin/ImageFiles.h"
#include "skin/Shapes.h"
#include "skin/StrokeFont.h"

namespace {

namespace fs = std::filesystem;
using skin::RgbImage;

RgbImage Pattern(int width, int height) {
    RgbImage image;
    image.width = width;
    image.height = height;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.rgb.insert(image.rgb.end(), {static_cast<uint8_t>(x * 40), static_cast<uint8_t>(y * 70),
                                               static_cast<uint8_t>(x + y)});
    return image;
}

TEST(BmpFile, RoundTripsWithPaddedBottomUpRows) {
    RgbImage image = Pattern(5, 3);  // 15 bytes a row, padded to 16
    std::vector<uint8_t> bytes = skin::EncodeBmp(image);
    ASSERT_EQ(bytes.size(), 54u + 16u * 3u);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(bytes[2] | bytes[3] << 8, static_cast<int>(bytes.size()));
    EXPECT_EQ(bytes[28], 24);  // bits per pixel
    // The first stored row is the picture's bottom row, in B, G, R order.
    const uint8_t* bottomLeft = image.Pixel(0, 2);
    EXPECT_EQ(bytes[54], bottomLeft[2]);
    EXPECT_EQ(bytes[55], bottomLeft[1]);
    EXPECT_EQ(bytes[56], bottomLeft[0]);

    RgbImage back;
    ASSERT_TRUE(skin::DecodeBmp(bytes, back));
    EXPECT_EQ(back.width, 5);
    EXPECT_EQ(back.height, 3);
    EXPECT_EQ(back.rgb, image.rgb);
}

TEST(BmpFile, RejectsWhatIsNotAComplete24BitBitmap) {
    std::vector<uint8_t> bytes = skin::EncodeBmp(Pattern(4, 4));
    RgbImage out;
    std::vector<uint8_t> truncated(bytes.begin(), bytes.end() - 5);
    EXPECT_FALSE(skin::DecodeBmp(truncated, out));
    std::vector<uint8_t> eightBit = bytes;
    eightBit[28] = 8;
    EXPECT_FALSE(skin::DecodeBmp(eightBit, out));
    EXPECT_FALSE(skin::DecodeBmp({'B', 'M'}, out));
    std::vector<uint8_t> hugeWidth = bytes;
    hugeWidth[21] = 0x7F;
    EXPECT_FALSE(skin::DecodeBmp(hugeWidth, out));
}

TEST(IcoFile, HoldsEveryImageWithItsTransparencyMask) {
    skin::Canvas small(16, 16), large(32, 32);
    small.Fill(skin::Rect(4, 4, 12, 12), skin::Hex(0xFF0000));
    large.Fill(skin::Rect(0, 0, 32, 32), skin::Hex(0x00FF00));
    std::vector<uint8_t> ico = skin::EncodeIco({small, large});
    auto u16 = [&](size_t at) { return ico[at] | ico[at + 1] << 8; };
    auto u32 = [&](size_t at) { return static_cast<uint32_t>(u16(at) | u16(at + 2) << 16); };
    ASSERT_GE(ico.size(), 6u + 32u);
    EXPECT_EQ(u16(2), 1);  // icon
    ASSERT_EQ(u16(4), 2);
    EXPECT_EQ(ico[6], 16);
    EXPECT_EQ(ico[22], 32);
    // Each entry's bytes lie where its directory entry says, back to back.
    const uint32_t size0 = u32(6 + 8), offset0 = u32(6 + 12);
    const uint32_t size1 = u32(22 + 8), offset1 = u32(22 + 12);
    EXPECT_EQ(offset0, 6u + 32u);
    EXPECT_EQ(offset1, offset0 + size0);
    EXPECT_EQ(offset1 + size1, ico.size());
    // 16 x 16 x 4 colour bytes, then a mask of 16 rows of 4 bytes.
    EXPECT_EQ(size0, 40u + 16u * 16u * 4u + 16u * 4u);
    EXPECT_EQ(u32(offset0 + 8), 32u);  // height counts colour and mask
    // The mask's bottom row (stored first) is transparent; a middle row is
    // transparent only outside the square.
    const size_t mask = offset0 + 40 + 16 * 16 * 4;
    EXPECT_EQ(ico[mask], 0xFF);
    EXPECT_EQ(ico[mask + 8 * 4], 0xF0);      // x 0..3 clear, 4..7 painted
    EXPECT_EQ(ico[mask + 8 * 4 + 1], 0x0F);  // x 8..11 painted, 12..15 clear
}

TEST(Canvas, EdgesOnPixelBoundariesAreCrispAndRoundShapesKeepTheirArea) {
    skin::Canvas c(20, 20, skin::Hex(0x000000));
    c.Fill(skin::Rect(5, 5, 10, 8), skin::Hex(0xFFFFFF));
    EXPECT_FLOAT_EQ(c.At(5, 5).r, 1.0f);
    EXPECT_FLOAT_EQ(c.At(9, 7).r, 1.0f);
    EXPECT_FLOAT_EQ(c.At(4, 5).r, 0.0f);
    EXPECT_FLOAT_EQ(c.At(10, 7).r, 0.0f);
    EXPECT_FLOAT_EQ(c.At(9, 8).r, 0.0f);

    skin::Canvas disc(40, 40, {0, 0, 0, 0});
    disc.Fill(skin::Circle(20, 20, 12), skin::Hex(0xFFFFFF));
    double area = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) area += disc.At(x, y).a;
    EXPECT_NEAR(area, 3.14159265 * 144, 3.14159265 * 144 * 0.01);
}

TEST(StrokeFont, MeasuredWidthIsTheInkThatIsDrawn) {
    skin::TextStyle style;
    style.capHeight = 8;
    style.colour = skin::Hex(0xFFFFFF);
    for (const std::string text : {"OK", "CANCEL", "NO RECORDINGS YET", "F9 OR F10"}) {
        skin::Canvas c(200, 20, skin::Hex(0x000000));
        skin::DrawText(c, text, 10, 5, style);
        int first = 200, last = -1;
        for (int x = 0; x < 200; ++x)
            for (int y = 0; y < 20; ++y)
                if (c.At(x, y).r > 0.05f) {
                    first = std::min(first, x);
                    last = std::max(last, x);
                }
        const float width = skin::TextWidth(text, style);
        EXPECT_NEAR(first, 10, 1) << text;
        EXPECT_NEAR(last + 1, 10 + width, 1.5) << text;
    }
}

// The skin as the generator writes it, once for all the tests below.
class GeneratedSkin : public testing::Test {
protected:
    static void SetUpTestSuite() {
        root = fs::temp_directory_path() / ("skin-test-" + std::to_string(::getpid()));
        fs::remove_all(root);
        std::string command = std::string(SKINGEN_PATH) + " '" + (root / "skin").string() + "' '" +
                              (root / "res").string() + "'";
        exitCode = std::system(command.c_str());
    }
    static void TearDownTestSuite() { fs::remove_all(root); }

    static RgbImage Load(const fs::path& path) {
        RgbImage image;
        std::vector<uint8_t> bytes;
        EXPECT_TRUE(skin::ReadFile(path.string(), bytes)) << path;
        EXPECT_TRUE(skin::DecodeBmp(bytes, image)) << path;
        return image;
    }
    static fs::path Main(const std::string& name) { return root / "skin" / name; }
    static fs::path Little(const std::string& name) { return root / "skin" / "little" / name; }

    // Each button's corners show the background at its place on the window.
    struct Placed {
        const char* name;
        int x, y;
    };
    static void ExpectButtonsBlendIn(const RgbImage& back, std::initializer_list<Placed> placed) {
        for (const Placed& b : placed) {
            RgbImage normal = Load(Main(std::string(b.name) + "_normal.bmp"));
            for (auto [cx, cy] : {std::pair{0, 0}, {normal.width - 1, 0}, {0, normal.height - 1},
                                  {normal.width - 1, normal.height - 1}}) {
                const uint8_t* want = back.Pixel(b.x + cx, b.y + cy);
                const uint8_t* got = normal.Pixel(cx, cy);
                for (int k = 0; k < 3; ++k)
                    EXPECT_NEAR(got[k], want[k], 2) << b.name << " corner " << cx << "," << cy;
            }
        }
    }

    static inline fs::path root;
    static inline int exitCode = -1;
};

const char* const kStates[] = {"_normal.bmp", "_hover.bmp", "_click.bmp"};

// Every button name the windows load, with the size they show it at where
// the windows fix one (0: any size).
struct Expected {
    const char* name;
    int width, height;
};
const Expected kMainButtons[] = {
    {"record_fixed", 54, 47}, {"record_custom", 54, 47}, {"record_stop", 54, 47},
    {"converter", 54, 47},    {"home", 54, 47},          {"mini", 20, 20},
    {"close", 20, 20},        {"open_folder", 92, 20},   {"change_folder", 92, 20},
    {"help", 0, 0},           {"record", 0, 0},          {"crop", 0, 0},
    {"effect", 0, 0},         {"trim", 0, 0},            {"remove", 0, 0},
    {"clear_all", 0, 0},      {"convert", 0, 0},         {"stop", 0, 0},
    {"pre_backward", 0, 0},   {"pre_end", 0, 0},         {"pre_forward", 0, 0},
    {"pre_open", 0, 0},       {"pre_pause", 0, 0},       {"pre_play", 0, 0},
    {"pre_snap", 0, 0},       {"pre_start", 0, 0},       {"pre_stop", 0, 0},
};
const Expected kDialogButtons[] = {
    {"cancel", 97, 30}, {"close", 21, 19}, {"ok", 97, 30},       {"pause", 34, 34},
    {"play", 36, 38},   {"reset", 97, 30}, {"small_ok", 92, 20}, {"stop", 34, 34},
    {"float_stop", 52, 54},
};

TEST_F(GeneratedSkin, EveryButtonHasThreeDistinctStatesAtItsSize) {
    ASSERT_EQ(exitCode, 0);
    auto check = [](const fs::path& folder, const Expected& b) {
        std::vector<RgbImage> states;
        for (const char* suffix : kStates) states.push_back(Load(folder / (std::string(b.name) + suffix)));
        for (const RgbImage& s : states) {
            if (b.width) {
                EXPECT_EQ(s.width, b.width) << b.name;
                EXPECT_EQ(s.height, b.height) << b.name;
            }
            EXPECT_EQ(s.width, states[0].width) << b.name;
            EXPECT_EQ(s.height, states[0].height) << b.name;
        }
        // Hover and click must be visibly different from rest and from each other.
        EXPECT_NE(states[0].rgb, states[1].rgb) << b.name << " hover looks like normal";
        EXPECT_NE(states[0].rgb, states[2].rgb) << b.name << " click looks like normal";
        EXPECT_NE(states[1].rgb, states[2].rgb) << b.name << " click looks like hover";
    };
    for (const Expected& b : kMainButtons) check(root / "skin", b);
    for (const Expected& b : kDialogButtons) check(root / "skin" / "little", b);
}

TEST_F(GeneratedSkin, MainWindowPicturesFitItsLayout) {
    ASSERT_EQ(exitCode, 0);
    RgbImage back = Load(Main("back_ui.bmp"));
    ASSERT_EQ(back.width, 510);
    ASSERT_EQ(back.height, 620);
    auto luminance = [&](int x, int y) {
        const uint8_t* p = back.Pixel(x, y);
        return 0.299 * p[0] + 0.587 * p[1] + 0.114 * p[2];
    };
    // Light text goes on the title line and the status line, dark text
    // ("Output:", "Time:") on the form rows.
    EXPECT_LT(luminance(300, 12), 60);
    EXPECT_LT(luminance(150, 610), 60);
    EXPECT_GT(luminance(20, 540), 180);
    EXPECT_GT(luminance(30, 566), 180);

    // The visible buttons carry the background under them in their corners,
    // so they sit seamlessly on the window.
    ExpectButtonsBlendIn(back, {{"record_fixed", 10, 32}, {"record_custom", 70, 32}, {"record_stop", 130, 32},
                                {"converter", 190, 32},   {"home", 390, 32},         {"mini", 458, 4},
                                {"close", 480, 4},        {"open_folder", 300, 530}, {"change_folder", 400, 530}});

    RgbImage tile = Load(Main("list_back.bmp"));
    EXPECT_GT(tile.width, 0);
    RgbImage screen = Load(Main("screen.bmp"));
    EXPECT_EQ(screen.width, 280);
    EXPECT_EQ(screen.height, 210);
}

TEST_F(GeneratedSkin, ConverterWindowHasItsOwnBackgroundUnderItsControls) {
    ASSERT_EQ(exitCode, 0);
    RgbImage back = Load(Main("clipforge_back.bmp"));
    ASSERT_EQ(back.width, 510);
    ASSERT_EQ(back.height, 568);
    // The status text's area is plain, so its light letters read and none of
    // the recorder's labels show through; "Output:" goes on a light card.
    const uint8_t* plain = back.Pixel(15, 492);
    int differing = 0;
    for (int y = 492; y < 526; ++y)
        for (int x = 15; x < 495; ++x)
            differing += std::memcmp(back.Pixel(x, y), plain, 3) != 0;
    EXPECT_EQ(differing, 0);
    EXPECT_LT(plain[0] + plain[1] + plain[2], 3 * 60);
    const uint8_t* card = back.Pixel(20, 540);
    EXPECT_GT(card[0] + card[1] + card[2], 3 * 180);
    ExpectButtonsBlendIn(back, {{"converter", 10, 32}, {"record_stop", 70, 32}, {"mini", 458, 4},
                                {"close", 480, 4}, {"open_folder", 400, 530}});
    RgbImage tile = Load(Main("clipforge_list.bmp"));
    EXPECT_EQ(tile.width, 480);
    EXPECT_EQ(tile.height, 360);
}

TEST_F(GeneratedSkin, DialogFolderHoldsTheirFramesAndPreviewPicture) {
    ASSERT_EQ(exitCode, 0);
    for (const char* name : {"trim_bk.bmp", "crop_bk.bmp", "effect_bk.bmp"}) {
        RgbImage frame = Load(Little(name));
        EXPECT_EQ(frame.width, 600) << name;
        EXPECT_EQ(frame.height, 450) << name;
        // The labels are written in near-black on the right-hand panel.
        const uint8_t* panel = frame.Pixel(400, 100);
        EXPECT_GT(panel[0] + panel[1] + panel[2], 3 * 200) << name;
    }
    EXPECT_EQ(Load(Little("settings_bk.bmp")).width, 500);
    RgbImage screen = Load(Little("screen.bmp"));
    EXPECT_EQ(screen.width, 320);
    EXPECT_EQ(screen.height, 240);
}

TEST_F(GeneratedSkin, ImageListStripsAreCleanlyMasked) {
    ASSERT_EQ(exitCode, 0);
    const struct {
        const char* name;
        uint8_t mask[3];
    } strips[] = {{"checkboxes.bmp", {255, 0, 255}},
                  {"header_checks.bmp", {255, 0, 255}},
                  {"list_images.bmp", {255, 255, 255}}};
    for (const auto& strip : strips) {
        RgbImage image = Load(root / "res" / strip.name);
        EXPECT_EQ(image.width, 32) << strip.name;  // two 16-pixel images
        EXPECT_EQ(image.height, 16) << strip.name;
        int masked = 0;
        for (int y = 0; y < image.height; ++y) {
            for (int x = 0; x < image.width; ++x) {
                const uint8_t* p = image.Pixel(x, y);
                int distance = std::abs(p[0] - strip.mask[0]) + std::abs(p[1] - strip.mask[1]) +
                               std::abs(p[2] - strip.mask[2]);
                if (distance == 0) ++masked;
                // A near-miss of the mask colour would show as a tinted fringe.
                EXPECT_TRUE(distance == 0 || distance > 60)
                    << strip.name << " at " << x << "," << y;
            }
        }
        EXPECT_GT(masked, 0) << strip.name;
        EXPECT_LT(masked, 32 * 16) << strip.name;
    }
    // The check-box strip: the unchecked box differs from the checked one.
    RgbImage boxes = Load(root / "res" / "checkboxes.bmp");
    EXPECT_NE(std::vector<uint8_t>(boxes.Pixel(4, 4), boxes.Pixel(4, 4) + 3),
              std::vector<uint8_t>(boxes.Pixel(20, 4), boxes.Pixel(20, 4) + 3));

    for (const char* icon : {"lumiskop.ico", "lumiskop_blink.ico", "region.ico"}) {
        std::vector<uint8_t> bytes;
        ASSERT_TRUE(skin::ReadFile((root / "res" / icon).string(), bytes)) << icon;
        ASSERT_GE(bytes.size(), 6u);
        EXPECT_EQ(bytes[4], 3) << icon;  // 16, 32 and 48 pixels
    }
}

TEST_F(GeneratedSkin, SliderPicturesFillTheTrimBarsRowsAndKeyOnlyTheirOutside) {
    ASSERT_EQ(exitCode, 0);
    const RgbImage channel = Load(root / "res" / "trim_channel.bmp");
    EXPECT_EQ(channel.width, 210);  // the trim dialog's slider
    EXPECT_EQ(channel.height, 38);
    const RgbImage thumb = Load(root / "res" / "trim_thumb.bmp");
    const RgbImage bar = Load(root / "res" / "trim_selection.bmp");
    const RgbImage start = Load(root / "res" / "trim_start.bmp");
    const RgbImage end = Load(root / "res" / "trim_end.bmp");
    EXPECT_EQ(thumb.height + bar.height + start.height, channel.height) << "the three rows fill the control";
    EXPECT_EQ(end.width, start.width);
    EXPECT_EQ(Load(root / "res" / "trim_thumb_drag.bmp").width, thumb.width);

    for (const char* name : {"trim_thumb.bmp", "trim_thumb_drag.bmp", "trim_start.bmp", "trim_end.bmp",
                             "track_thumb.bmp", "track_thumb_pressed.bmp", "track_channel.bmp"}) {
        const RgbImage image = Load(root / "res" / name);
        int keyed = 0;
        for (int y = 0; y < image.height; ++y) {
            for (int x = 0; x < image.width; ++x) {
                const uint8_t* p = image.Pixel(x, y);
                const int distance = std::abs(p[0] - 255) + p[1] + std::abs(p[2] - 255);
                keyed += distance == 0;
                // A near-miss of the key would show as a pink fringe.
                EXPECT_TRUE(distance == 0 || distance > 60) << name << " at " << x << "," << y;
            }
        }
        EXPECT_GT(keyed, 0) << name << " has no transparent part";
        EXPECT_LT(keyed, image.width * image.height / 2) << name << " is mostly transparent";
    }
}

}  // namespace
