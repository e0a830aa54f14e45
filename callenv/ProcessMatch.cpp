#include "callenv/ProcessMatch.h"

namespace callenv {

const ProcessEntry* FindFirstProcess(const std::vector<ProcessEntry>& processes,
                                     std::string_view name) {
    for (const ProcessEntry& entry : processes)
        if (entry.exeName == name) return &entry;
    return nullptr;
}

}  // namespace callenv
