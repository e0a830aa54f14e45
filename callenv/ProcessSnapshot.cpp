#include "callenv/ProcessSnapshot.h"

#include <windows.h>
#include <tlhelp32.h>

namespace callenv {

std::vector<ProcessEntry> SnapshotProcesses() {
    std::vector<ProcessEntry> processes;
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return processes;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL ok = ::Process32First(snapshot, &entry); ok; ok = ::Process32Next(snapshot, &entry))
        processes.push_back({entry.th32ProcessID, entry.szExeFile});
    ::CloseHandle(snapshot);
    return processes;
}

std::optional<ProcessEntry> FindProcess(std::string_view name) {
    const std::vector<ProcessEntry> processes = SnapshotProcesses();
    if (const ProcessEntry* found = FindFirstProcess(processes, name)) return *found;
    return std::nullopt;
}

}  // namespace callenv
