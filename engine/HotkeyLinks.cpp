#include "engine/HotkeyLinks.h"

std::atomic<int32_t> ConvertArmed{1};

namespace {
std::atomic<int32_t> g_regionCancelKey{0x79};
}

int32_t RegionCancelKey() {
    return g_regionCancelKey.load();
}

void SetRegionCancelKey(int32_t virtualKey) {
    g_regionCancelKey = virtualKey;
}
