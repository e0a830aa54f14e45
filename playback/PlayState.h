// The play states of the main window's preview and of the editing dialogs'
// preview player; the numbers are the ones the dialogs have always compared.
#pragma once

#include <cstdint>

enum class PlayState : int32_t {
    NothingChosen = 999,  // no recording chosen: Play does nothing
    Idle = 1000,          // a recording chosen, not playing
    // A chosen recording the editing commands refuse; the main window does
    // not enter it today.
    NotEditable = 1001,
    Playing = 2001,
};
