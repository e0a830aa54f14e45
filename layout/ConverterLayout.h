// ClipForge's window: the main window's look (its skin's tool and folder
// buttons) on a background of its own without the recorder's labels.
#pragma once

#include "layout/SkinPlace.h"
#include "tools/clipforge/resource.h"

namespace layout::converter {

inline constexpr int kWidth = 510, kHeight = 568;

// The caption's line on the title bar.
inline constexpr Box kTitle{20, 5, 480, 17};

inline constexpr ButtonPlace kButtons[] = {
    {IDC_CF_CONVERT, "converter", {10, 32, 54, 47}},
    {IDC_CF_CANCEL, "record_stop", {70, 32, 54, 47}},
    {IDC_CF_MINIMIZE, "mini", {458, 4, 20, 20}},
    {IDC_CF_CLOSE, "close", {480, 4, 20, 20}},
    {IDC_CF_OPEN_FOLDER, "open_folder", {400, 530, 92, 20}},
};

inline constexpr Box kList{15, 100, 480, 360};
inline constexpr Box kProgress{15, 468, 480, 20};
// The status text, in light letters on the plain body.
inline constexpr Box kStatus{15, 492, 480, 34};
// "Output: <folder>", in dark text on the card.
inline constexpr Box kFolder{15, 532, 380, 20};

}  // namespace layout::converter
