// What the recording's windows share with the main window's hotkey table: the
// key that ends region drawing, and the flag that lets the converter hotkey
// fire once per recording. The window thread writes both; the region selector
// reads the key on the same thread, but both stay atomic so that a test's or
// benchmark's thread may look.
#pragma once

#include <atomic>
#include <cstdint>

struct HotkeyLinks {
    // A recording start and a cancelled region drawing set it to 1, the
    // converter hotkey's action clears it.
    std::atomic<int32_t> ConvertArmed{1};
    // The virtual-key code of the third recording hotkey (F10, 0x79, until
    // the hotkey table says otherwise); the region selector cancels on it.
    std::atomic<int32_t> RegionCancelKey{0x79};
};
