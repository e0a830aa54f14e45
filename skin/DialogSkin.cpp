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

// A dialog's button and what it sits on.
struct DialogButton {
    ButtonDesign design;
    Rgba base = kDialogBody;
};

std::vector<DialogButton> DialogButtons() {
    using namespace symbol;
    using enum ButtonLook;
    return {
        {{"ok", AccentPill, nullptr, "OK"}},
        {{"cancel", NeutralPill, nullptr, "CANCEL"}},
        {{"reset", NeutralPill, nullptr, "RESET"}},
        // The trim dialog's time "OK" buttons sit on the controls' panel.
        {{"small_ok", AccentPill, nullptr, "OK"}, kPanel},
        {{"close", TitleDanger, Plain(Cross)}, kTitleBar},
        {{"play", Round, Plain(Play)}},
        {{"pause", Round, Plain(Pause)}},
        {{"stop", Round, Plain(Stop)}},
        {{"float_stop", FloatStop, nullptr}},
    };
}

// The button's canvas, at the size the dialogs place it at.
Canvas BaseOf(const DialogButton& b) {
    const std::string_view name = b.design.name;
    if (name == "float_stop") return Canvas(layout::kFloatStopWidth, layout::kFloatStopHeight, b.base);
    const layout::ButtonPlace* place = layout::FindSkin(editframe::kButtons, name);
    if (!place) place = layout::FindSkin(editframe::kTrimTimeButtons, name);
    return place ? Canvas(place->box.width, place->box.height, b.base) : Canvas(0, 0, b.base);
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
            std::string path = folder + "/" + b.design.name + StateSuffix(state) + ".bmp";
            ok = WriteFile(path, EncodeBmp(Flatten(DrawButton(b.design, BaseOf(b), state)))) && ok;
        }
    }
    return ok;
}

}  // namespace skin
