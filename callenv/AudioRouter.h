// Routes the system's sound through the virtual audio device while the
// recorder is open, keeps the audio engine process running beside it, and
// tells which wave input is the virtual device.
#pragma once

#include <windows.h>

#include <string>

#include "callenv/CallEnvNames.h"
#include "callenv/DeviceMatch.h"
#include "callenv/Registry.h"
#include "callenv/RoleStamp.h"

class CAudioRouter {
public:
    // `registry` defaults to the system's registry.
    explicit CAudioRouter(callenv::IRegistry* registry = nullptr);

    // Ends the first running process whose image name is `name` (case counts).
    void TerminateProcessByName(const std::string& name);
    // Starts "<AppFolder>\<kAudioEngineExe>" and waits up to about 7 s for its mutex.
    void StartAudioEngine();
    void DetectWindowsVersion();
    // The names of wave-input device 0 and wave-output device 0.
    void RememberDeviceNames();
    void SelectVirtualPlayback();
    // Index of the virtual wave-input device; the device count when absent.
    int FindVirtualCaptureDevice(callenv::DeviceMatch mode);
    void RestoreDefaultDevices();
    // Posts `message` to the engine's window with wParam = OwnerWindow.
    void PostToAudioEngine(UINT message, LPARAM lParam);

    bool IsVistaOrLater = false;
    std::string SavedRecordName;
    std::string SavedPlaybackName;
    callenv::RoleStampMode RoleStampMode = callenv::RoleStampMode::MakeDefault;
    std::string AudioEngineName = callenv::kAudioEngineName;
    std::string AppFolder;      // no trailing backslash
    HWND OwnerWindow = nullptr;  // the main window

private:
    void WalkEndpoints();
    bool WriteSoundMapper(bool restore);

    callenv::IRegistry& m_registry;
};
