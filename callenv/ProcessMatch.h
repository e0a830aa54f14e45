// The process lookup rule shared by every search for an outside program.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace callenv {

struct ProcessEntry {
    uint32_t id = 0;
    std::string exeName;  // the executable's file name as the snapshot gives it
};

// The first entry whose executable name equals `name` as a whole, byte for
// byte (so letter case counts); null when there is none. Later processes of
// the same name are never considered.
const ProcessEntry* FindFirstProcess(const std::vector<ProcessEntry>& processes,
                                     std::string_view name);

}  // namespace callenv
