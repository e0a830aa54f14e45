// The running processes, as the system's process snapshot lists them.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "callenv/ProcessMatch.h"

namespace callenv {

// Every process in snapshot order; empty when no snapshot can be taken or
// its first entry cannot be read.
std::vector<ProcessEntry> SnapshotProcesses();

// The first process whose executable name equals `name` (case counts).
std::optional<ProcessEntry> FindProcess(std::string_view name);

}  // namespace callenv
