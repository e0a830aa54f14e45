// Finds the messenger's process and conversation window and the companion
// program's main form.
#pragma once

#include <windows.h>

#include <string>

namespace callenv {

// Left behind by the searches for the life of the process: the contact cut
// from the last conversation window found, and the last companion form found.
// Neither is ever cleared.
extern std::string ContactAddress;
extern HWND AssistWindow;

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
};
