// What the main window hands to an editing dialog: the selected recording
// (by index into its list, so that a recording added while the dialog is open
// moves nothing the dialog holds), the preview's source size and position,
// whether the recording has pictures, the settings used when no recording is
// selected, and a way to have the output list redraw its rows.
#pragma once

#include <cstdint>
#include <functional>

#include "recordings/ClipList.h"
#include "recordings/EditSettings.h"

struct EditingContext {
    // The dialog's owner (the main window), as a plain handle value so that
    // this header needs no window system.
    void* owner = nullptr;
    ClipList* clips = nullptr;
    int selectedIndex = -1;  // -1: none
    int sourceWidth = 320, sourceHeight = 240;
    bool hasVideo = false;
    float position = 0;  // the main window's preview position, 0..1
    EditSettings* settings = nullptr;
    std::function<void()> redrawList;

    // The selected recording, or null when there is none.
    ClipRecord* Clip() const {
        if (!clips || selectedIndex < 0 || selectedIndex >= static_cast<int>(clips->size())) return nullptr;
        return &(*clips)[static_cast<size_t>(selectedIndex)];
    }
    void RedrawList() const {
        if (redrawList) redrawList();
    }
};
