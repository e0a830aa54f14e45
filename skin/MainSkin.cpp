// The main window's skin: "back_ui.bmp", "list_back.bmp", "screen.bmp" and the
// three states of every button it loads; and the converter's window, which
// shares its buttons: "clipforge_back.bmp", "clipforge_list.bmp".
#include <algorithm>
#include <initializer_list>
#include <string_view>
#include <vector>

#include "layout/ConverterLayout.h"
#include "layout/MainWindowLayout.h"
#include "skin/Artwork.h"
#include "skin/ButtonArt.h"
#include "skin/ImageFiles.h"
#include "skin/Palette.h"
#include "skin/Shapes.h"
#include "skin/StrokeFont.h"
#include "skin/Symbols.h"

namespace skin {
namespace {

using namespace palette;

namespace mainwnd = layout::mainwnd;
namespace converter = layout::converter;
using layout::Box;

Rgba RecordColour(ButtonState state) {
    return state == ButtonState::Hover ? kRecordHover
           : state == ButtonState::Click ? kRecordPressed
                                         : kRecord;
}

// Adapts a symbol with a record-red part.
template <typename F>
SymbolPainter WithRecord(F draw) {
    return [draw](Canvas& c, float cx, float cy, float size, const Rgba& ink, ButtonState state) {
        draw(c, cx, cy, size, ink, RecordColour(state));
    };
}

SymbolPainter Glyph(const char* text) {
    return [text](Canvas& c, float cx, float cy, float size, const Rgba& ink, ButtonState) {
        TextStyle style;
        style.capHeight = size * 0.5f;
        style.weight = 1.3f;
        style.colour = ink;
        DrawTextCentred(c, text, cx, cy, style);
    };
}

// The main window's buttons and the other pictures of its skin.
std::vector<ButtonDesign> MainButtons() {
    using namespace symbol;
    using enum ButtonLook;
    SymbolPainter recordDot = [](Canvas& c, float cx, float cy, float size, const Rgba&,
                                 ButtonState state) { RecordDot(c, cx, cy, size, RecordColour(state)); };
    return {
        {"record_fixed", Tool, WithRecord(Camera)},
        {"record_custom", Tool, WithRecord(Region)},
        {"record_stop", Tool, Plain(Stop)},
        {"converter", Tool, Plain(Convert)},
        {"home", Tool, Plain(Home)},
        {"mini", Title, Plain(Minimise)},
        {"close", TitleDanger, Plain(Cross)},
        {"open_folder", DarkPill, Plain(Folder), "OPEN"},
        {"change_folder", DarkPill, Plain(Folder), "CHANGE"},
        {"help", Title, Glyph("?")},
        {"record", Tool, recordDot},
        {"crop", Tool, Plain(Crop)},
        {"effect", Tool, Plain(Sparkle)},
        {"trim", Tool, WithRecord(Trim)},
        {"convert", Tool, Plain(Convert)},
        {"stop", Tool, Plain(Stop)},
        {"remove", DarkPill, nullptr, "REMOVE"},
        {"clear_all", DarkPill, nullptr, "CLEAR ALL"},
        {"pre_snap", Round, Plain(Snapshot)},
        {"pre_open", Round, Plain(Folder)},
        {"pre_backward", Round, Plain(Backward)},
        {"pre_forward", Round, Plain(Forward)},
        {"pre_start", Round, Plain(SkipStart)},
        {"pre_end", Round, Plain(SkipEnd)},
        {"pre_play", Round, Plain(Play)},
        {"pre_pause", Round, Plain(Pause)},
        {"pre_stop", Round, Plain(Stop)},
    };
}

// The skin's pictures that the main window does not place, at their sizes.
struct Unplaced {
    const char* name;
    int width, height;
};
constexpr Unplaced kUnplaced[] = {
    {"convert", 54, 47},      {"stop", 54, 47},     {"pre_backward", 32, 32}, {"pre_forward", 32, 32},
    {"pre_start", 32, 32},    {"pre_end", 32, 32},  {"pre_play", 32, 32},     {"pre_pause", 32, 32},
    {"pre_stop", 32, 32},
};

// Where a picture goes: a button shown on the window carries the background
// under it; the others sit on no particular background.
struct Spot {
    Box box;
    bool onBackground;
};

Spot SpotOf(const ButtonDesign& b) {
    if (const layout::ButtonPlace* place = layout::FindSkin(mainwnd::kButtons, b.name)) {
        const Box& box = place->box;
        const bool inside = box.Right() <= mainwnd::kWidth && box.Bottom() <= mainwnd::kHeight;
        return {box, place->shown && inside};
    }
    for (const Unplaced& u : kUnplaced)
        if (std::string_view(u.name) == b.name) return {{0, 0, u.width, u.height}, false};
    return {{0, 0, 0, 0}, false};
}

Canvas Render(const ButtonDesign& b, const Canvas& background, ButtonState state) {
    const Spot spot = SpotOf(b);
    const Box& box = spot.box;
    Rgba flat = b.look == ButtonLook::Title || b.look == ButtonLook::TitleDanger ? kTitleBar : kBody;
    Canvas base = spot.onBackground ? background.Crop(box.x, box.y, box.width, box.height, flat)
                                    : Canvas(box.width, box.height, flat);
    return DrawButton(b, base, state);
}

void Label(Canvas& c, const char* text, float cx, float cy, float capHeight, const Rgba& colour) {
    TextStyle style;
    style.capHeight = capHeight;
    style.weight = capHeight < 6 ? 1.05f : 1.3f;
    style.colour = colour;
    DrawTextCentred(c, text, cx, cy, style);
}

// A tool button's caption, written under the button whose pictures are `skin`.
struct Caption {
    const char* text;
    const char* skin;
};

// The title line (the window writes its caption there) and the tool bar
// (buttons at y 32..79, captions under them).
template <typename Buttons>
void PaintTitleAndTools(Canvas& c, const Buttons& buttons, std::initializer_list<Caption> captions) {
    const float width = static_cast<float>(c.Width());
    c.Fill(Rect(0, 0, width, 28), kTitleBar);
    c.Fill(Rect(0, 28, width, 29), kDivider);
    c.Fill(Circle(10, 13.5f, 3.5f), kRecord);
    c.Fill(Rect(0, 29, width, 92), VerticalGradient(29, Hex(0x22252C), 92, kBody));
    for (const Caption& caption : captions)
        Label(c, caption.text, layout::FindSkin(buttons, caption.skin)->box.CentreX(), 86, 5, kMuted);
}

// The frame around a list.
void PaintListWell(Canvas& c, const Box& list) {
    Shape well = RoundRect(static_cast<float>(list.x - 3), static_cast<float>(list.y - 3),
                           static_cast<float>(list.Right() + 3), static_cast<float>(list.Bottom() + 3), 5);
    c.Fill(well, kBodyLow);
    c.Fill(InnerOutline(well, 1), kFrame);
}

// Light card for dark text.
void PaintCard(Canvas& c, float top, float bottom) {
    Shape card = RoundRect(7, top, 503, bottom, 6);
    c.Fill(card, kCard);
    c.Fill(InnerOutline(card, 1), kCardEdge);
}

Canvas ListTile(const Box& list, const char* headline, const char* hint) {
    const int w = list.width, h = list.height;
    Canvas c(w, h, kBodyLow);
    c.Fill(Rect(0, 0, w, h), VerticalGradient(0, Hex(0x1A1D22), h, Hex(0x15171B)));
    symbol::Film(c, 238, 122, 54, Hex(0x3A404B));
    Label(c, headline, 238, 180, 9, Hex(0x5A616E));
    Label(c, hint, 238, 203, 5.5f, kFaint);
    return c;
}

}  // namespace

Canvas MainBackground() {
    constexpr int kWidth = mainwnd::kWidth, kHeight = mainwnd::kHeight;
    Canvas c(kWidth, kHeight, kBody);
    PaintTitleAndTools(c, mainwnd::kButtons,
                       {{"CALL", "record_fixed"}, {"REGION", "record_custom"}, {"STOP", "record_stop"},
                        {"CONVERT", "converter"}, {"HOME", "home"}});
    c.Fill(Rect(253, 38, 254, 76), kDivider);
    c.Fill(Rect(381, 38, 382, 76), kDivider);
    PaintListWell(c, mainwnd::kList);

    // The hotkeys, between the list and the form card.
    Label(c, "F9 OR F10  STOP RECORDING       F8  CONVERTER", 255, 490, 5, kFaint);

    // "Output:" at (15, 532) and "Time:" at (24, 560) are written in dark text.
    PaintCard(c, 518, 590);

    // Status line at (10, 600).
    c.Fill(Rect(0, 595, kWidth, 596), kDivider);
    c.Fill(Rect(0, 596, kWidth, kHeight), kTitleBar);
    return c;
}

Canvas ListBackground() {
    return ListTile(mainwnd::kList, "NO RECORDINGS YET", "PRESS CALL OR REGION TO START");
}

Canvas ConverterBackground() {
    Canvas c(converter::kWidth, converter::kHeight, kBody);
    PaintTitleAndTools(c, converter::kButtons, {{"CONVERT", "converter"}, {"CANCEL", "record_stop"}});
    PaintListWell(c, converter::kList);
    // The progress bar and the status text, in light letters, sit on the
    // plain body; "Output:" in dark text and the open-folder button on the card.
    PaintCard(c, 526, 560);
    return c;
}

Canvas ConverterListBackground() {
    return ListTile(converter::kList, "NO RECORDINGS IN THIS FOLDER", "RECORD A CALL, THEN PRESS F8");
}

Canvas PreviewPlaceholder(int width, int height) {
    const float w = static_cast<float>(width), h = static_cast<float>(height);
    Canvas c(width, height, Hex(0x0F1114));
    c.Fill(InnerOutline(Rect(0, 0, w, h), 1), kDivider);
    const float r = std::min(w, h) * 0.11f;
    c.Fill(Outline(Circle(w / 2, h / 2, r), 2), kFaint);
    symbol::Play(c, w / 2 + r * 0.12f, h / 2, r * 1.2f, kFaint);
    return c;
}

bool WriteMainSkin(const std::string& folder) {
    const Canvas background = MainBackground();
    bool ok = WriteFile(folder + "/back_ui.bmp", EncodeBmp(Flatten(background)));
    ok = WriteFile(folder + "/list_back.bmp", EncodeBmp(Flatten(ListBackground()))) && ok;
    ok = WriteFile(folder + "/clipforge_back.bmp", EncodeBmp(Flatten(ConverterBackground()))) && ok;
    ok = WriteFile(folder + "/clipforge_list.bmp", EncodeBmp(Flatten(ConverterListBackground()))) && ok;
    // The preview area uses one picture for all three states.
    const Box& preview = layout::FindSkin(mainwnd::kButtons, "screen")->box;
    ok = WriteFile(folder + "/screen.bmp", EncodeBmp(Flatten(PreviewPlaceholder(preview.width, preview.height)))) && ok;
    for (const ButtonDesign& b : MainButtons()) {
        for (ButtonState state : kButtonStates) {
            std::string path = folder + "/" + b.name + StateSuffix(state) + ".bmp";
            ok = WriteFile(path, EncodeBmp(Flatten(Render(b, background, state)))) && ok;
        }
    }
    return ok;
}

}  // namespace skin
