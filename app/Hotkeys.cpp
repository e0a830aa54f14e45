#include "app/Hotkeys.h"

HotkeyTable g_hotkeys;

void SetDefaultHotkeys(HotkeyTable& table) {
    const int32_t keys[] = {119, 120, 121, 122, 123};  // F8 ... F12
    for (int i = 0; i < 5; ++i) table[i].key = keys[i];
    table[hotkeys::kSlot3].ctrl = 1;
    table[hotkeys::kSlot4].ctrl = 1;
}

uint32_t ModifierBits(const HotkeySlot& slot) {
    return (slot.ctrl ? hotkeys::kModControl : 0) | (slot.shift ? hotkeys::kModShift : 0) |
           (slot.alt ? hotkeys::kModAlt : 0);
}
