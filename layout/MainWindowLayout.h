// The main window's layout: its size, its controls' places and the skin
// pictures its buttons show. The window places its controls by it; the skin
// generator draws the background and the buttons' pictures for it.
#pragma once

#include "layout/SkinPlace.h"
#include "res/resource.h"

namespace layout::mainwnd {

inline constexpr int kWidth = 510, kHeight = 620;

inline constexpr ButtonPlace kButtons[] = {
    {IDC_RECORD_CALL, "record_fixed", {10, 32, 54, 47}},
    {IDC_RECORD_REGION, "record_custom", {70, 32, 54, 47}},
    {IDC_RECORD_STOP, "record_stop", {130, 32, 54, 47}},
    {IDC_CONVERTER, "converter", {190, 32, 54, 47}},
    {IDC_HOME, "home", {390, 32, 54, 47}},
    {IDC_MINIMIZE, "mini", {458, 4, 20, 20}},
    {IDC_CLOSE, "close", {480, 4, 20, 20}},
    {IDC_HELP_BUTTON, "help", {704, 7, 22, 15}},  // outside the window's shape
    {IDC_OPEN_FOLDER, "open_folder", {300, 530, 92, 20}},
    {IDC_CHANGE_FOLDER, "change_folder", {400, 530, 92, 20}},
    {IDC_RECORD_PREVIEW, "record", {11, 62, 76, 66}, false},
    {IDC_SETTINGS, "record_stop", {98, 62, 76, 66}, false},
    {IDC_CROP, "crop", {216, 62, 76, 66}, false},
    {IDC_EFFECT, "effect", {308, 62, 76, 66}, false},
    {IDC_TRIM, "trim", {400, 62, 76, 66}, false},
    {IDC_REMOVE, "remove", {24, 408, 97, 30}, false},
    {IDC_CLEAR_ALL, "clear_all", {125, 408, 97, 30}, false},
    {IDC_SNAPSHOT, "pre_snap", {709, 407, 32, 32}, false},
    {IDC_OPEN_SNAPSHOTS, "pre_open", {742, 407, 32, 32}, false},
    {IDC_PREVIEW_AREA, "screen", {534, 145, 280, 210}, false, Pictures::One},
};

// The output-format selectors, which only the settings dialog shows.
inline constexpr ControlPlace kHiddenSelectors[] = {
    {IDC_FORMAT, {90, 470, 400, 20}, false},
    {IDC_RESOLUTION, {605, 325, 145, 20}, false},
    {IDC_PICTURE_FIT, {605, 350, 145, 20}, false},
    {IDC_VIDEO_BITRATE, {605, 375, 145, 20}, false},
    {IDC_AUDIO_BITRATE, {605, 400, 145, 20}, false},
};

inline constexpr Box kList{15, 100, 480, 360};
inline constexpr Box kOutputFolder{60, 530, 230, 20};
inline constexpr Box kElapsed{60, 560, 92, 20};
// Wide enough for a folder's name in the words of a failure.
inline constexpr Box kStatus{10, 600, 490, 20};
// Written in dark text on the form's card.
inline constexpr Label kLabels[] = {{"Output:", 15, 532}, {"Time:", 24, 560}};

}  // namespace layout::mainwnd
