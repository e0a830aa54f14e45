#include "tests/support/host_command.h"

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

namespace hostcmd {
namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A scratch folder both sides can see: the Windows temp folder is inside the
// Wine prefix, reachable from the host through the Z: drive mapping of "/".
std::string ScratchBase() {
    static unsigned counter = 0;
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    // Process ids come round again; the clock keeps a later process from
    // finding files that a command of an earlier one wrote after its timeout.
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    char name[80];
    std::snprintf(name, sizeof name, "hostcmd-%lu-%u-%llx", ::GetCurrentProcessId(), ++counter,
                  static_cast<unsigned long long>(now.QuadPart));
    return std::string(temp) + name;
}

}  // namespace

std::string ShellQuote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}

std::string HostPath(const std::string& windowsPath) {
    char* unixPath = nullptr;
    using ToUnix = char*(CDECL*)(LPCWSTR);
    static auto toUnix = reinterpret_cast<ToUnix>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!toUnix) return windowsPath;
    std::wstring wide(windowsPath.begin(), windowsPath.end());
    unixPath = toUnix(wide.c_str());
    if (!unixPath) return windowsPath;
    std::string result(unixPath);
    ::HeapFree(::GetProcessHeap(), 0, unixPath);
    return result;
}

bool StartShell(const std::string& script) {
    std::string line = "/bin/sh " + HostPath(script);
    std::vector<char> buffer(line.begin(), line.end());
    buffer.push_back('\0');
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &si, &pi))
        return false;
    // For a Unix program Wine hands back no real handles, but stray values
    // (a null process handle, a small number as thread handle). Closing those
    // closes handles of this process, its desktop's among them, after which
    // no window can be created. Close only what is what it claims to be.
    if (pi.hThread && pi.dwThreadId && ::GetThreadId(pi.hThread) == pi.dwThreadId)
        ::CloseHandle(pi.hThread);
    if (pi.hProcess && pi.dwProcessId && ::GetProcessId(pi.hProcess) == pi.dwProcessId)
        ::CloseHandle(pi.hProcess);
    return true;
}

Result Run(const std::string& command, unsigned timeoutMs) {
    Result result;
    std::string base = ScratchBase();
    std::string script = base + ".sh", output = base + ".out", status = base + ".rc";
    std::string statusTemp = status + ".tmp", pidFile = base + ".pid";
    {
        // The shell lets go of the caller's output pipes at once, so that a
        // command left running cannot hold up whoever reads the test's output.
        std::ofstream out(script, std::ios::binary);
        out << "exec </dev/null >/dev/null 2>&1\n"
            << "echo $$ >" << ShellQuote(HostPath(pidFile)) << "\n"
            << "(" << command << ") >" << ShellQuote(HostPath(output)) << " 2>&1\n"
            << "echo $? >" << ShellQuote(HostPath(statusTemp)) << "\n"
            << "mv " << ShellQuote(HostPath(statusTemp)) << " " << ShellQuote(HostPath(status))
            << "\n";
    }
    if (!StartShell(script)) {
        ::DeleteFileA(script.c_str());
        return result;
    }

    DWORD start = ::GetTickCount();
    while (::GetFileAttributesA(status.c_str()) == INVALID_FILE_ATTRIBUTES) {
        if (::GetTickCount() - start > timeoutMs) break;
        ::Sleep(20);
    }
    if (::GetFileAttributesA(status.c_str()) != INVALID_FILE_ATTRIBUTES) {
        result.finished = true;
        result.exitCode = std::atoi(ReadFile(status).c_str());
        result.output = ReadFile(output);
    } else {
        // Timed out: end the shell and what it started.
        std::string pid = ReadFile(pidFile);
        while (!pid.empty() && (pid.back() == '\n' || pid.back() == '\r')) pid.pop_back();
        if (!pid.empty()) {
            std::string killer = base + ".kill.sh";
            std::ofstream(killer, std::ios::binary)
                << "exec </dev/null >/dev/null 2>&1\npkill -P " << pid << "; kill " << pid << "\n";
            StartShell(killer);
        }
    }
    for (const std::string& path : {script, output, status, pidFile})
        ::DeleteFileA(path.c_str());
    return result;
}

}  // namespace hostcmd
