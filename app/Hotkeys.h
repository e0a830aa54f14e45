// The six global hotkey slots. Slot i is registered under hotkey id i.
#pragma once

#include <array>
#include <cstdint>

struct HotkeySlot {
    int32_t key = 100000;  // virtual-key code, or NoKey
    int32_t ctrl = 0;
    int32_t shift = 0;
    int32_t alt = 0;
};

namespace hotkeys {
constexpr int32_t kNoKey = 100000;
constexpr int kSlotCount = 6;
enum Slot { kConverter = 0, kStopRecording = 1, kStopOrCancelRegion = 2, kSlot3 = 3, kSlot4 = 4,
            kSlot5 = 5 };
// The platform's modifier bits.
constexpr uint32_t kModAlt = 1, kModControl = 2, kModShift = 4;
}  // namespace hotkeys

using HotkeyTable = std::array<HotkeySlot, hotkeys::kSlotCount>;

// F8, F9, F10, Ctrl+F11, Ctrl+F12 in slots 0-4; other fields keep their values.
void SetDefaultHotkeys(HotkeyTable& table);
uint32_t ModifierBits(const HotkeySlot& slot);

extern HotkeyTable g_hotkeys;
