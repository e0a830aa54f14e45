// Finds the messenger's process and conversation window and the companion
// program's main form.
#pragma once

#include <windows.h>

#include <string>

namespace callenv {

// Sends the contact to the companion form as one 256-byte WM_COPYDATA block
// (zero-filled, NUL-terminated text). Does nothing when `assistWindow` is
// null; a send to a window that is gone fails without effect.
void HandOffContact(HWND assistWindow, const std::string& contactAddress);

}  // namespace callenv

class CCallWindowFinder {
public:
    // True when a messenger process runs; sets MessengerExeName.
    bool FindMessengerProcess();
    // The messenger's conversation window, or null; on success sets ContactAddress.
    HWND FindConversationWindow();
    // The companion's main form, or null; on success sets AssistWindow.
    HWND FindAssistWindow();

    std::string MessengerExeName;
    // Left behind by the searches for the finder's life: the contact cut from
    // the last conversation window found, and the last companion form found.
    // A search that finds nothing leaves them as they were.
    std::string ContactAddress;
    HWND AssistWindow = nullptr;
};
