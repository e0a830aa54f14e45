#include "tools/mousetap/Watcher.h"

#include <map>
#include <mutex>
#include <vector>

#include "tools/mousetap/CursorShape.h"
#include "tools/mousetap/ShapeTable.h"

namespace watcher {
namespace {

constexpr DWORD kPollMs = 15;
constexpr size_t kMaxCopies = 64;

struct Target {
    HWND window;
    UINT message;
    HCURSOR posted;
};

std::mutex g_lock;
std::vector<Target> g_targets;
HANDLE g_thread = nullptr;
HANDLE g_stop = nullptr;
// Our own copies of other processes' cursors. Kept for the life of the
// process: a posted handle may still be drawn after a stop.
std::map<shapes::CursorId, HCURSOR> g_copies;

bool UsableHere(HCURSOR cursor) {
    ICONINFO info{};
    if (!::GetIconInfo(cursor, &info)) return false;
    if (info.hbmMask) ::DeleteObject(info.hbmMask);
    if (info.hbmColor) ::DeleteObject(info.hbmColor);
    return true;
}

// A handle of this process that draws like the cursor, or null while its
// picture is unknown here.
HCURSOR Resolve(const shapes::CursorId& id) {
    if (id.process == ::GetCurrentProcessId() && UsableHere(id.cursor)) return id.cursor;
    auto copy = g_copies.find(id);
    if (copy != g_copies.end()) return copy->second;
    static CursorShape shape;
    if (shapes::Find(id, shape)) {
        if (g_copies.size() >= kMaxCopies) return nullptr;
        HCURSOR own = CreateCursorFrom(shape);
        if (own) g_copies[id] = own;
        return own;
    }
    // Not published: usable as it is only where handles are shared
    // between programs (Windows itself).
    return UsableHere(id.cursor) ? id.cursor : nullptr;
}

// The process whose cursor GetCursorInfo reports: the foreground window's
// under Wine, and where handles are shared it does not matter.
DWORD ForegroundProcess() {
    DWORD process = 0;
    ::GetWindowThreadProcessId(::GetForegroundWindow(), &process);
    return process;
}

// The newest cursor from either source: what a program set last (announced
// by the hook) or what the system reports (GetCursorInfo), whichever changed.
shapes::CursorId g_wanted;
HCURSOR g_lastReported = nullptr;
LONG g_lastAnnouncement = 0;
shapes::CursorId g_resolvedFor;
HCURSOR g_resolved = nullptr;

void Poll() {
    shapes::CursorId announced;
    const LONG announcement = shapes::Latest(announced);
    CURSORINFO info{};
    info.cbSize = sizeof info;
    const HCURSOR reported = ::GetCursorInfo(&info) ? info.hCursor : nullptr;
    if (reported && reported != g_lastReported) g_wanted = {ForegroundProcess(), reported};
    g_lastReported = reported;
    if (announcement != g_lastAnnouncement && announced.cursor) g_wanted = announced;
    g_lastAnnouncement = announcement;
    if (!g_wanted.cursor) return;

    std::lock_guard lock(g_lock);
    if (!(g_resolvedFor == g_wanted) || !g_resolved) {
        g_resolvedFor = g_wanted;
        g_resolved = Resolve(g_wanted);  // may become known on a later poll
    }
    HCURSOR own = g_resolved;
    if (!own) return;
    for (Target& t : g_targets) {
        if (t.posted == own) continue;
        if (::PostMessageA(t.window, t.message, reinterpret_cast<WPARAM>(own), 0)) t.posted = own;
    }
}

DWORD WINAPI Run(LPVOID stop) {
    while (::WaitForSingleObject(static_cast<HANDLE>(stop), kPollMs) == WAIT_TIMEOUT) Poll();
    return 0;
}

}  // namespace

bool AddTarget(HWND window, UINT message) {
    if (!::IsWindow(window)) return false;
    std::lock_guard lock(g_lock);
    for (Target& t : g_targets)
        if (t.window == window) {
            t.message = message;
            t.posted = nullptr;
            return true;
        }
    g_targets.push_back({window, message, nullptr});
    if (g_thread) return true;
    g_stop = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    g_thread = g_stop ? ::CreateThread(nullptr, 0, Run, g_stop, 0, nullptr) : nullptr;
    if (!g_thread) {
        if (g_stop) ::CloseHandle(g_stop);
        g_stop = nullptr;
        g_targets.pop_back();
        return false;
    }
    return true;
}

bool RemoveTarget(HWND window) {
    HANDLE thread = nullptr, stop = nullptr;
    {
        std::lock_guard lock(g_lock);
        auto it = g_targets.begin();
        while (it != g_targets.end() && it->window != window) ++it;
        if (it == g_targets.end()) return false;
        g_targets.erase(it);
        if (!g_targets.empty()) return true;
        thread = g_thread;
        stop = g_stop;
        g_thread = g_stop = nullptr;
    }
    ::SetEvent(stop);
    ::WaitForSingleObject(thread, 5000);
    ::CloseHandle(thread);
    ::CloseHandle(stop);
    return true;
}

bool HasTargets() {
    std::lock_guard lock(g_lock);
    return !g_targets.empty();
}

}  // namespace watcher
