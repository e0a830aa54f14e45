// The main window's skin: "back_ui.bmp", "list_back.bmp", "screen.bmp" and the
// three states of every button it loads; and the converter's window, which
// shares its buttons: "clipforge_back.bmp", "clipforge_list.bmp".
#include <algorithm>
#include <initializer_list>
#include <vector>

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

constexpr int kWidth = 510;
constexpr int kHeight = 620;

Rgba RecordColour(ButtonState state) {
    return state == ButtonState::Hover ? kRecordHover
           : state == ButtonState::Click ? kRecordPressed
                                         : kRecord;
}

// Adapts a plain symbol to a button painter.
template <typename F>
SymbolPainter Plain(F draw) {
    return [draw](Canvas& c, float cx, float cy, float size, const Rgba& ink, ButtonState) {
        draw(c, cx, cy, size, ink);
    };
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

enum class Look { Tool, Title, TitleDanger, Pill, Round };

struct MainButton {
    const char* name;
    int x, y, width, height;
    bool visible;  // hidden ones sit on no particular background
    Look look;
    SymbolPainter symbol;
    const char* label = "";
};

std::vector<MainButton> MainButtons() {
    using namespace symbol;
    SymbolPainter recordDot = [](Canvas& c, float cx, float cy, float size, const Rgba&,
                                 ButtonState state) { RecordDot(c, cx, cy, size, RecordColour(state)); };
    return {
        {"record_fixed", 10, 32, 54, 47, true, Look::Tool, WithRecord(Camera)},
        {"record_custom", 70, 32, 54, 47, true, Look::Tool, WithRecord(Region)},
        {"record_stop", 130, 32, 54, 47, true, Look::Tool, Plain(Stop)},
        {"converter", 190, 32, 54, 47, true, Look::Tool, Plain(Convert)},
        {"home", 390, 32, 54, 47, true, Look::Tool, Plain(Home)},
        {"mini", 458, 4, 20, 20, true, Look::Title, Plain(Minimise)},
        {"close", 480, 4, 20, 20, true, Look::TitleDanger, Plain(Cross)},
        {"open_folder", 300, 530, 92, 20, true, Look::Pill, Plain(Folder), "OPEN"},
        {"change_folder", 400, 530, 92, 20, true, Look::Pill, Plain(Folder), "CHANGE"},
        {"help", 0, 0, 22, 15, false, Look::Title, Glyph("?")},
        {"record", 0, 0, 76, 66, false, Look::Tool, recordDot},
        {"crop", 0, 0, 76, 66, false, Look::Tool, Plain(Crop)},
        {"effect", 0, 0, 76, 66, false, Look::Tool, Plain(Sparkle)},
        {"trim", 0, 0, 76, 66, false, Look::Tool, WithRecord(Trim)},
        {"convert", 0, 0, 54, 47, false, Look::Tool, Plain(Convert)},
        {"stop", 0, 0, 54, 47, false, Look::Tool, Plain(Stop)},
        {"remove", 0, 0, 97, 30, false, Look::Pill, nullptr, "REMOVE"},
        {"clear_all", 0, 0, 97, 30, false, Look::Pill, nullptr, "CLEAR ALL"},
        {"pre_snap", 0, 0, 32, 32, false, Look::Round, Plain(Snapshot)},
        {"pre_open", 0, 0, 32, 32, false, Look::Round, Plain(Folder)},
        {"pre_backward", 0, 0, 32, 32, false, Look::Round, Plain(Backward)},
        {"pre_forward", 0, 0, 32, 32, false, Look::Round, Plain(Forward)},
        {"pre_start", 0, 0, 32, 32, false, Look::Round, Plain(SkipStart)},
        {"pre_end", 0, 0, 32, 32, false, Look::Round, Plain(SkipEnd)},
        {"pre_play", 0, 0, 32, 32, false, Look::Round, Plain(Play)},
        {"pre_pause", 0, 0, 32, 32, false, Look::Round, Plain(Pause)},
        {"pre_stop", 0, 0, 32, 32, false, Look::Round, Plain(Stop)},
    };
}

Canvas Render(const MainButton& b, const Canvas& background, ButtonState state) {
    Rgba flat = b.look == Look::Title || b.look == Look::TitleDanger ? kTitleBar : kBody;
    Canvas base = b.visible ? background.Crop(b.x, b.y, b.width, b.height, flat)
                            : Canvas(b.width, b.height, flat);
    switch (b.look) {
    case Look::Tool: return ToolButton(base, b.symbol, state);
    case Look::Title: return TitleButton(base, b.symbol, false, state);
    case Look::TitleDanger: return TitleButton(base, b.symbol, true, state);
    case Look::Pill: return PillButton(base, b.label, b.symbol, PillLook::Dark, state);
    case Look::Round: return RoundButton(base, b.symbol, state);
    }
    return base;
}

void Label(Canvas& c, const char* text, float cx, float cy, float capHeight, const Rgba& colour) {
    TextStyle style;
    style.capHeight = capHeight;
    style.weight = capHeight < 6 ? 1.05f : 1.3f;
    style.colour = colour;
    DrawTextCentred(c, text, cx, cy, style);
}

struct Caption {
    const char* text;
    float cx;
};

// The title line (the window writes its caption at (20, 5)) and the tool bar
// (buttons at y 32..79, captions under them).
void PaintTitleAndTools(Canvas& c, std::initializer_list<Caption> captions) {
    c.Fill(Rect(0, 0, kWidth, 28), kTitleBar);
    c.Fill(Rect(0, 28, kWidth, 29), kDivider);
    c.Fill(Circle(10, 13.5f, 3.5f), kRecord);
    c.Fill(Rect(0, 29, kWidth, 92), VerticalGradient(29, Hex(0x22252C), 92, kBody));
    for (const Caption& caption : captions) Label(c, caption.text, caption.cx, 86, 5, kMuted);
}

// Frame of a list at (15, 100, 480, 360).
void PaintListWell(Canvas& c) {
    Shape well = RoundRect(12, 97, 498, 463, 5);
    c.Fill(well, kBodyLow);
    c.Fill(InnerOutline(well, 1), kFrame);
}

// Light card for dark text.
void PaintCard(Canvas& c, float top, float bottom) {
    Shape card = RoundRect(7, top, 503, bottom, 6);
    c.Fill(card, kCard);
    c.Fill(InnerOutline(card, 1), kCardEdge);
}

Canvas ListTile(const char* headline, const char* hint) {
    const int w = 480, h = 360;
    Canvas c(w, h, kBodyLow);
    c.Fill(Rect(0, 0, w, h), VerticalGradient(0, Hex(0x1A1D22), h, Hex(0x15171B)));
    symbol::Film(c, 238, 122, 54, Hex(0x3A404B));
    Label(c, headline, 238, 180, 9, Hex(0x5A616E));
    Label(c, hint, 238, 203, 5.5f, kFaint);
    return c;
}

}  // namespace

Canvas MainBackground() {
    Canvas c(kWidth, kHeight, kBody);
    PaintTitleAndTools(c, {{"CALL", 37}, {"REGION", 97}, {"STOP", 157}, {"CONVERT", 217}, {"HOME", 417}});
    c.Fill(Rect(253, 38, 254, 76), kDivider);
    c.Fill(Rect(381, 38, 382, 76), kDivider);
    PaintListWell(c);

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
    return ListTile("NO RECORDINGS YET", "PRESS CALL OR REGION TO START");
}

Canvas ConverterBackground() {
    Canvas c(kWidth, kConverterHeight, kBody);
    PaintTitleAndTools(c, {{"CONVERT", 37}, {"CANCEL", 97}});
    PaintListWell(c);
    // The progress bar sits at (15, 468) and the status text, in light
    // letters, at (15, 492, 495, 526), both on the plain body.
    // "Output:" at (15, 532) in dark text, the open-folder button at (400, 530).
    PaintCard(c, 526, 560);
    return c;
}

Canvas ConverterListBackground() {
    return ListTile("NO RECORDINGS IN THIS FOLDER", "RECORD A CALL, THEN PRESS F8");
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
    ok = WriteFile(folder + "/screen.bmp", EncodeBmp(Flatten(PreviewPlaceholder(280, 210)))) && ok;
    for (const MainButton& b : MainButtons()) {
        for (ButtonState state : kButtonStates) {
            std::string path = folder + "/" + b.name + StateSuffix(state) + ".bmp";
            ok = WriteFile(path, EncodeBmp(Flatten(Render(b, background, state)))) && ok;
        }
    }
    return ok;
}

}  // namespace skin
