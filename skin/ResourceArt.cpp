// Pictures compiled into the program: the window icons (normal and blinking),
// the region selector's icon, and the image lists of the check-box list.
#include <algorithm>
#include <vector>

#include "skin/Artwork.h"
#include "skin/ImageFiles.h"
#include "skin/Palette.h"
#include "skin/Shapes.h"
#include "skin/Symbols.h"

namespace skin {
namespace {

using namespace palette;

const int kIconSizes[] = {16, 32, 48};

// The program's icon: a lens with a record light. `lit` false is the other
// half of the blink.
Canvas AppIcon(int size, bool lit) {
    const float s = static_cast<float>(size), u = s / 48;
    Canvas c(size, size);
    c.Fill(RoundRect(1 * u, 1 * u, s - 1 * u, s - 1 * u, 10 * u),
           VerticalGradient(0, Hex(0x353A45), s, Hex(0x16181C)));
    const float ring = std::max(3.5f * u, 1.4f);
    c.Fill(Outline(Circle(s / 2, s / 2, 14.5f * u), ring), lit ? kInk : kRecord);
    c.Fill(Circle(s / 2, s / 2, 7.5f * u), lit ? kRecord : Hex(0x5A616E));
    return c;
}

// The region selector's icon: a dashed selection with a cross-hair.
Canvas RegionIcon(int size) {
    const float s = static_cast<float>(size), u = s / 48;
    Canvas c(size, size);
    c.Fill(RoundRect(1 * u, 1 * u, s - 1 * u, s - 1 * u, 10 * u), Hex(0x1D2026));
    Canvas marks(size, size);
    symbol::Region(marks, s / 2, s / 2, 40 * u, kAccent, {0, 0, 0, 0});
    c.Draw(marks, 0, 0);
    const float w = std::max(3 * u, 1.2f);
    c.Fill(Union(Segment({s / 2, 15 * u}, {s / 2, 33 * u}, w), Segment({15 * u, s / 2}, {33 * u, s / 2}, w)),
           kWhite);
    return c;
}

std::vector<uint8_t> Icon(bool region, bool lit) {
    std::vector<Canvas> images;
    for (int size : kIconSizes) images.push_back(region ? RegionIcon(size) : AppIcon(size, lit));
    return EncodeIco(images);
}

// Image-list strips keep hard edges: a pixel is either picture or mask colour,
// so that no tinted fringe survives the masking.
RgbImage Masked(const Canvas& picture, const Rgba& mask) {
    Canvas hard(picture.Width(), picture.Height(), mask);
    for (int y = 0; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width(); ++x) {
            Rgba p = picture.At(x, y);
            if (p.a < 0.5f) continue;
            p.a = 1;
            hard.Fill(Rect(static_cast<float>(x), static_cast<float>(y), static_cast<float>(x + 1),
                           static_cast<float>(y + 1)),
                      p);
        }
    }
    return Flatten(hard);
}

// Two 16-pixel check boxes, unchecked then checked. The box is drawn over
// its own fill so that its anti-aliased edge stays inside the picture.
Canvas CheckBoxStrip() {
    Canvas c(32, 16);
    for (int i = 0; i < 2; ++i) {
        const float x = static_cast<float>(i * 16);
        Shape box = RoundRect(x + 1.5f, 1.5f, x + 14.5f, 14.5f, 2.5f);
        if (i == 0) {
            c.Fill(box, kWhite);
            c.Fill(InnerOutline(box, 1.3f), Hex(0x7D8595));
        } else {
            c.Fill(box, kAccent);
            symbol::Check(c, x + 8, 8, 13, kWhite, 1.9f);
        }
    }
    return c;
}

// The output list's small images: a recording and a camera.
Canvas ListImageStrip() {
    Canvas c(32, 16);
    symbol::Film(c, 8, 8, 16, Hex(0x4A5568));
    symbol::Camera(c, 24, 8, 16, Hex(0x4A5568), kRecord);
    return c;
}

}  // namespace

bool WriteResourceArt(const std::string& folder) {
    bool ok = WriteFile(folder + "/lumiskop.ico", Icon(false, true));
    ok = WriteFile(folder + "/lumiskop_blink.ico", Icon(false, false)) && ok;
    ok = WriteFile(folder + "/region.ico", Icon(true, true)) && ok;
    ok = WriteFile(folder + "/checkboxes.bmp", EncodeBmp(Masked(CheckBoxStrip(), kMagenta))) && ok;
    ok = WriteFile(folder + "/header_checks.bmp", EncodeBmp(Masked(CheckBoxStrip(), kMagenta))) && ok;
    ok = WriteFile(folder + "/list_images.bmp", EncodeBmp(Masked(ListImageStrip(), kWhite))) && ok;
    return WriteSliderArt(folder) && ok;
}

}  // namespace skin
