// What the engine's windows share with the main window's hotkey table: the
// key that ends region drawing, and the flag that lets the converter hotkey
// fire once per recording.
#pragma once

#include <atomic>
#include <cstdint>

// Process-wide; starts at 1. A recording start and a cancelled region drawing
// set it to 1, the converter hotkey's action clears it.
extern std::atomic<int32_t> ConvertArmed;

// The virtual-key code of the third recording hotkey (F10, 0x79, until the
// hotkey table says otherwise); the region selector cancels on it.
int32_t RegionCancelKey();
void SetRegionCancelKey(int32_t virtualKey);
