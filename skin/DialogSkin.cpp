// The dialogs' skin in "skin\little": the editing dialogs' frames, the
// settings dialog's frame, their buttons and the floating stop button.
#include <vector>

#include "skin/Artwork.h"
#include "skin/ButtonArt.h"
#include "skin/ImageFiles.h"
#include "skin/Palette.h"
#include "skin/Shapes.h"
#include "skin/Symbols.h"

namespace skin {
namespace {

using namespace palette;

template <typename F>
SymbolPainter Plain(F draw) {
    return [draw](Canvas& c, float cx, float cy, float size, const Rgba& ink, ButtonState) {
        draw(c, cx, cy, size, ink);
    };
}

enum class Look { Accent, Neutral, Round, TitleDanger, FloatStop };

struct DialogButton {
    const char* name;
    int width, height;
    Look look;
    SymbolPainter symbol;
    const char* label = "";
    Rgba base = kDialogBody;  // what the button sits on
};

std::vector<DialogButton> DialogButtons() {
    using namespace symbol;
    return {
        {"ok", 97, 30, Look::Accent, nullptr, "OK"},
        {"cancel", 97, 30, Look::Neutral, nullptr, "CANCEL"},
        {"reset", 97, 30, Look::Neutral, nullptr, "RESET"},
        // The trim dialog's time "OK" buttons sit on the controls' panel.
        {"small_ok", 92, 20, Look::Accent, nullptr, "OK", kPanel},
        {"close", 21, 19, Look::TitleDanger, Plain(Cross)},
        {"play", 36, 38, Look::Round, Plain(Play)},
        {"pause", 34, 34, Look::Round, Plain(Pause)},
        {"stop", 34, 34, Look::Round, Plain(Stop)},
        {"float_stop", 52, 54, Look::FloatStop, nullptr},
    };
}

Canvas Render(const DialogButton& b, ButtonState state) {
    switch (b.look) {
    case Look::Accent:
        return PillButton(Canvas(b.width, b.height, b.base), b.label, b.symbol, PillLook::Accent, state);
    case Look::Neutral:
        return PillButton(Canvas(b.width, b.height, b.base), b.label, b.symbol, PillLook::Neutral,
                          state);
    case Look::Round: return RoundButton(Canvas(b.width, b.height, b.base), b.symbol, state);
    case Look::TitleDanger:
        return TitleButton(Canvas(b.width, b.height, kTitleBar), b.symbol, true, state);
    case Look::FloatStop: return FloatStopButton(b.width, b.height, state);
    }
    return Canvas(b.width, b.height, kDialogBody);
}

}  // namespace

Canvas DialogBackground(int width, int height, bool withPreview) {
    const float w = static_cast<float>(width);
    Canvas c(width, height, kDialogBody);
    // Title line: the dialogs write their titles in white at (10, 5).
    c.Fill(Rect(0, 0, w, 30), kTitleBar);
    c.Fill(Rect(0, 30, w, 31), kRecord);
    if (withPreview) {
        // Preview at (13, 51) or (14, 51), 320 x 240; transport buttons below it.
        Shape well = RoundRect(10, 48, 337, 294, 4);
        c.Fill(well, Hex(0x0F1114));
        c.Fill(InnerOutline(well, 1), kFrame);
        // The controls' panel on the right, where the labels are written.
        Shape panel = RoundRect(344, 44, 596, 398, 6);
        c.Fill(panel, kPanel);
        c.Fill(InnerOutline(panel, 1), kPanelEdge);
        c.Fill(Rect(10, 401, 337, 402), kPanelEdge);
    }
    return c;
}

bool WriteDialogSkin(const std::string& folder) {
    bool ok = true;
    for (const char* name : {"trim_bk", "crop_bk", "effect_bk"})
        ok = WriteFile(folder + "/" + name + ".bmp", EncodeBmp(Flatten(DialogBackground(600, 450, true)))) && ok;
    ok = WriteFile(folder + "/settings_bk.bmp", EncodeBmp(Flatten(DialogBackground(500, 300, false)))) && ok;
    ok = WriteFile(folder + "/screen.bmp", EncodeBmp(Flatten(PreviewPlaceholder(320, 240)))) && ok;
    for (const DialogButton& b : DialogButtons()) {
        for (ButtonState state : kButtonStates) {
            std::string path = folder + "/" + b.name + StateSuffix(state) + ".bmp";
            ok = WriteFile(path, EncodeBmp(Flatten(Render(b, state)))) && ok;
        }
    }
    return ok;
}

}  // namespace skin
