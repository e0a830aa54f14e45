// The dialogs' skin in "skin\little": the editing dialogs' frames, the
// settings dialog's frame, their buttons and the floating stop button.
#include <string_view>
#include <vector>

#include "layout/DialogLayout.h"
#include "skin/Artwork.h"
#include "skin/ButtonArt.h"
#include "skin/ImageFiles.h"
#include "skin/Palette.h"
#include "skin/Shapes.h"
#include "skin/Symbols.h"

namespace skin {
namespace {

using namespace palette;
namespace editframe = layout::editframe;

template <typename F>
SymbolPainter Plain(F draw) {
    return [draw](Canvas& c, float cx, float cy, float size, const Rgba& ink, ButtonState) {
        draw(c, cx, cy, size, ink);
    };
}

enum class Look { Accent, Neutral, Round, TitleDanger, FloatStop };

// How a button looks; its size is the one the dialogs place it at.
struct DialogButton {
    const char* name;
    Look look;
    SymbolPainter symbol;
    const char* label = "";
    Rgba base = kDialogBody;  // what the button sits on
};

std::vector<DialogButton> DialogButtons() {
    using namespace symbol;
    return {
        {"ok", Look::Accent, nullptr, "OK"},
        {"cancel", Look::Neutral, nullptr, "CANCEL"},
        {"reset", Look::Neutral, nullptr, "RESET"},
        // The trim dialog's time "OK" buttons sit on the controls' panel.
        {"small_ok", Look::Accent, nullptr, "OK", kPanel},
        {"close", Look::TitleDanger, Plain(Cross)},
        {"play", Look::Round, Plain(Play)},
        {"pause", Look::Round, Plain(Pause)},
        {"stop", Look::Round, Plain(Stop)},
        {"float_stop", Look::FloatStop, nullptr},
    };
}

struct Size {
    int width, height;
};

Size SizeOf(const DialogButton& b) {
    if (std::string_view(b.name) == "float_stop") return {layout::kFloatStopWidth, layout::kFloatStopHeight};
    const layout::ButtonPlace* place = layout::FindSkin(editframe::kButtons, b.name);
    if (!place) place = layout::FindSkin(editframe::kTrimTimeButtons, b.name);
    return place ? Size{place->box.width, place->box.height} : Size{0, 0};
}

Canvas Render(const DialogButton& b, ButtonState state) {
    const auto [width, height] = SizeOf(b);
    switch (b.look) {
    case Look::Accent:
        return PillButton(Canvas(width, height, b.base), b.label, b.symbol, PillLook::Accent, state);
    case Look::Neutral:
        return PillButton(Canvas(width, height, b.base), b.label, b.symbol, PillLook::Neutral, state);
    case Look::Round: return RoundButton(Canvas(width, height, b.base), b.symbol, state);
    case Look::TitleDanger: return TitleButton(Canvas(width, height, kTitleBar), b.symbol, true, state);
    case Look::FloatStop: return FloatStopButton(width, height, state);
    }
    return Canvas(width, height, kDialogBody);
}

}  // namespace

Canvas DialogBackground(int width, int height, bool withPreview) {
    const float w = static_cast<float>(width);
    Canvas c(width, height, kDialogBody);
    // Title line: the dialogs write their titles in white at (10, 5).
    c.Fill(Rect(0, 0, w, 30), kTitleBar);
    c.Fill(Rect(0, 30, w, 31), kRecord);
    if (withPreview) {
        // The well around the preview, wherever the dialog puts it; the
        // transport buttons below it.
        Shape well = RoundRect(editframe::kTrimPreviewX - 3, editframe::kPreviewTop - 3,
                               editframe::kPreviewX + editframe::kPreviewWidth + 3,
                               editframe::kPreviewTop + editframe::kPreviewHeight + 3, 4);
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
    const Canvas editing = DialogBackground(editframe::kWidth, editframe::kHeight, true);
    for (const char* name : {"trim_bk", "crop_bk", "effect_bk"})
        ok = WriteFile(folder + "/" + name + ".bmp", EncodeBmp(Flatten(editing))) && ok;
    const Canvas settings = DialogBackground(layout::settingsdlg::kWidth, layout::settingsdlg::kHeight, false);
    ok = WriteFile(folder + "/settings_bk.bmp", EncodeBmp(Flatten(settings))) && ok;
    const Canvas preview = PreviewPlaceholder(editframe::kPreviewWidth, editframe::kPreviewHeight);
    ok = WriteFile(folder + "/screen.bmp", EncodeBmp(Flatten(preview))) && ok;
    for (const DialogButton& b : DialogButtons()) {
        for (ButtonState state : kButtonStates) {
            std::string path = folder + "/" + b.name + StateSuffix(state) + ".bmp";
            ok = WriteFile(path, EncodeBmp(Flatten(Render(b, state)))) && ok;
        }
    }
    return ok;
}

}  // namespace skin
