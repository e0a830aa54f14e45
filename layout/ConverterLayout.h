// ClipForge's window: the main window's look on a background of its own,
// without the recorder's labels. Its buttons show the main window's pictures,
// the title bar's and the folder's at the main window's places.
#pragma once

#include "layout/MainWindowLayout.h"
#include "layout/SkinPlace.h"
#include "tools/clipforge/resource.h"

namespace layout::converter {

inline constexpr int kWidth = mainwnd::kWidth, kHeight = 568;

// The button `id` with the pictures `skin`, where the main window has them.
constexpr ButtonPlace AsInMainWindow(int id, const char* skin) {
    for (const ButtonPlace& place : mainwnd::kButtons)
        if (std::string_view(place.skin) == skin) return {id, skin, place.box};
    return {id, skin, {0, 0, 0, 0}, false};
}

inline constexpr ButtonPlace kButtons[] = {
    // The tool bar's first two places: Convert, and the main window's stop as Cancel.
    {IDC_CF_CONVERT, "converter", {10, 32, 54, 47}},
    {IDC_CF_CANCEL, "record_stop", {70, 32, 54, 47}},
    AsInMainWindow(IDC_CF_MINIMIZE, "mini"),
    AsInMainWindow(IDC_CF_CLOSE, "close"),
    AsInMainWindow(IDC_CF_OPEN_FOLDER, "open_folder"),
};
static_assert([] {
    for (const ButtonPlace& place : kButtons)
        if (place.box.width == 0) return false;
    return true;
}(), "a button the main window does not place");

inline constexpr Box kList = mainwnd::kList;
inline constexpr Box kProgress{15, 468, 480, 20};
// The status text, in light letters on the plain body.
inline constexpr Box kStatus{15, 492, 480, 34};
// "Output: <folder>", in dark text on the card.
inline constexpr Box kFolder{15, 532, 380, 20};

}  // namespace layout::converter
