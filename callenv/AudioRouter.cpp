#include "callenv/AudioRouter.h"

#include <cstdio>
#include <cstring>
#include <ctime>
#include <vector>

#include "callenv/EndpointWalk.h"
#include "callenv/ProcessSnapshot.h"
#include "callenv/WaveDevices.h"
#include "callenv/Win32Registry.h"
#include "framework/Handle.h"
#include "framework/Process.h"

using namespace callenv;

namespace {

constexpr int kMutexAttempts = 71;
constexpr DWORD kMutexPauseMs = 100;
constexpr UINT kBroadcastTimeoutMs = 500;  // per window that does not answer

CWin32Registry& SystemRegistry() {
    static CWin32Registry registry;
    return registry;
}

std::tm LocalNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (const std::tm* converted = std::localtime(&now)) local = *converted;
    return local;
}

// Tells every top-level window that the Sound Mapper settings changed. The
// message is sent, not posted: the system refuses to post WM_WININICHANGE
// (its lParam may carry a pointer), so a posted broadcast would never arrive.
void BroadcastSoundMapperChange() {
    ::SendMessageTimeoutA(HWND_BROADCAST, WM_WININICHANGE, 0, 0, SMTO_ABORTIFHUNG,
                          kBroadcastTimeoutMs, nullptr);
}

struct WindowQuery {
    const char* className;
    const char* title;
    HWND found;
};

BOOL CALLBACK MatchTopLevel(HWND hwnd, LPARAM lp) {
    auto* query = reinterpret_cast<WindowQuery*>(lp);
    char cls[kWindowTextBuffer] = {}, text[kWindowTextBuffer] = {};
    ::GetClassNameA(hwnd, cls, sizeof cls);
    ::GetWindowTextA(hwnd, text, sizeof text);
    if (std::strcmp(cls, query->className) || std::strcmp(text, query->title)) return TRUE;
    query->found = hwnd;
    return FALSE;
}

// The engine's top-level window. Wine's FindWindowA at times misses a window
// of another process that the window list holds, so the list is walked when
// it comes back empty.
HWND FindEngineWindow(const std::string& title) {
    if (HWND hwnd = ::FindWindowA(kAudioEngineWindowClass, title.c_str())) return hwnd;
    WindowQuery query{kAudioEngineWindowClass, title.c_str(), nullptr};
    ::EnumWindows(&MatchTopLevel, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

bool SetText(IRegKey& key, const char* name, const std::string& text) {
    return key.SetValue(name, kRegSz, text.c_str(), text.size() + 1);
}

}  // namespace

CAudioRouter::CAudioRouter(IRegistry* registry)
    : m_registry(registry ? *registry : SystemRegistry()) {}

void CAudioRouter::TerminateProcessByName(const std::string& name) {
    const auto process = FindProcess(name);
    if (!process) return;
    fw::KernelHandle handle(::OpenProcess(PROCESS_ALL_ACCESS, FALSE, process->id));
    if (handle) ::TerminateProcess(handle, 0);
}

void CAudioRouter::StartAudioEngine() {
    // Quoted: a folder with spaces must not start some other program.
    fw::StartProcess("\"" + AppFolder + "\\" + kAudioEngineExe + "\"");
    fw::KernelHandle mutex;
    for (int attempt = 0; attempt < kMutexAttempts && !mutex; ++attempt) {
        mutex.Reset(::OpenMutexA(SYNCHRONIZE, TRUE, AudioEngineName.c_str()));
        ::Sleep(kMutexPauseMs);
    }
}

void CAudioRouter::DetectWindowsVersion() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    ::GetVersionExA(&version);
#pragma GCC diagnostic pop
    std::printf("Major: %d Minor: %d\n", static_cast<int>(version.dwMajorVersion),
                static_cast<int>(version.dwMinorVersion));
    IsVistaOrLater = version.dwMajorVersion > 5;
}

void CAudioRouter::RememberDeviceNames() {
    std::string name;
    if (WaveInName(0, name)) SavedRecordName = name;
    if (WaveOutName(0, name)) SavedPlaybackName = name;
}

bool CAudioRouter::WriteSoundMapper(bool restore) {
    auto key = m_registry.Open(RegRoot::CurrentUser, kSoundMapperKey, RegAccess::Write);
    if (!key) return false;
    if (!restore) return SetText(*key, "Playback", kVirtualDeviceName);
    return SetText(*key, "Playback", SavedPlaybackName) &&
           SetText(*key, "Record", SavedRecordName);
}

void CAudioRouter::WalkEndpoints() {
    CEndpointWalker walker(m_registry, RoleStampMode, &LocalNow, &TraceToStdout);
    walker.WalkRenderEndpoints(kRenderEndpointsKey);
}

void CAudioRouter::SelectVirtualPlayback() {
    if (IsVistaOrLater) {
        RoleStampMode = callenv::RoleStampMode::MakeDefault;
        WalkEndpoints();
        return;
    }
    // The key is closed before the broadcast, so listeners read the new value.
    if (WriteSoundMapper(false)) BroadcastSoundMapperChange();
}

void CAudioRouter::RestoreDefaultDevices() {
    if (IsVistaOrLater) {
        RoleStampMode = callenv::RoleStampMode::Demote;
        WalkEndpoints();
        return;
    }
    if (WriteSoundMapper(true)) BroadcastSoundMapperChange();
}

int CAudioRouter::FindVirtualCaptureDevice(DeviceMatch mode) {
    return static_cast<int>(FindDeviceIndex(&WaveInName, kVirtualDeviceName, mode));
}

void CAudioRouter::PostToAudioEngine(UINT message, LPARAM lParam) {
    HWND engine = FindEngineWindow(AudioEngineName);
    if (engine) ::PostMessageA(engine, message, reinterpret_cast<WPARAM>(OwnerWindow), lParam);
}
