// Release of the VNC mirror display driver when the process ends: send the
// driver's unmap request and, if the mirror device is still attached to the
// desktop, detach it. The recorder never attaches the driver itself.
#pragma once

#include <cstdint>
#include <string>

#include "callenv/Registry.h"

namespace callenv {

constexpr const char* kMirrorDeviceString = "Winvnc video hook driver";
constexpr const char* kMirrorDriverName = "vncdrv";
constexpr const char* kMirrorProfileKey =
    "SYSTEM\\CurrentControlSet\\Hardware Profiles\\Current\\System\\CurrentControlSet\\"
    "Services\\vncdrv";
constexpr const char* kMirrorDeviceSubkey = "DEVICE0";
constexpr const char* kMirrorAttachValue = "Attach.ToDesktop";
constexpr int kMirrorUnmapEscape = 1031;
constexpr uint32_t kDisplayAttachedToDesktop = 0x1;  // DISPLAY_DEVICE_ATTACHED_TO_DESKTOP
constexpr uint32_t kModeFields = 0x001C0000;         // DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT
constexpr uint32_t kCdsUpdateRegistry = 1;

// The fields of the display mode record that the detach fills in.
struct MirrorMode {
    uint32_t fields = kModeFields;
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t bitsPerPel = 0;
    std::string deviceName;  // dmDeviceName: "vncdrv" for the change
};

struct DisplayDeviceInfo {
    std::string deviceName;    // "\\.\DISPLAYn"
    std::string deviceString;  // the description
    uint32_t stateFlags = 0;
};

enum class DesktopSwitch { NoThreadDesktop, Switched, InputDesktopUnavailable };

// The display side of the release: screen escapes, the display functions
// looked up at run time, the input desktop.
class IMirrorPlatform {
public:
    virtual ~IMirrorPlatform() = default;
    // Takes the screen's device context, sends `escape` with no data, releases it.
    virtual void SendEscape(int escape) = 0;
    virtual MirrorMode CurrentMode() = 0;  // primary display, current settings
    // Loads the user-interface library and looks the display functions up.
    virtual bool LoadDisplayLibrary() = 0;
    virtual bool HasEnumDisplayDevices() = 0;
    virtual bool HasApplyDisplayMode() = 0;
    virtual void FreeDisplayLibrary() = 0;
    virtual bool EnumDisplayDevice(uint32_t index, DisplayDeviceInfo& device) = 0;
    virtual long ApplyDisplayMode(const std::string& deviceName, const MirrorMode& mode,
                                       uint32_t flags) = 0;
    virtual DesktopSwitch EnterInputDesktop() = 0;
    virtual void LeaveInputDesktop() = 0;
    virtual void Beep(uint32_t frequency, uint32_t durationMs) = 0;
    virtual void CloseSharedHandle(void* handle) = 0;
};

class CMirrorDriver {
public:
    CMirrorDriver(IMirrorPlatform& platform, IRegistry& registry)
        : m_platform(platform), m_registry(registry) {}

    void ReleaseMirror();
    void UnmapMirror();
    bool IsMirrorAttached();
    bool DetachMirror();

    int32_t MirrorActive = 0;
    int32_t ModeChanging = 0;
    void* SharedHandle = nullptr;  // never set by the recorder itself
    int32_t Unmapped = 1;
    int32_t KeepAttached = 0;      // never set by the recorder itself

private:
    // The first display device described as the mirror driver.
    bool FindMirrorDevice(DisplayDeviceInfo& device);
    bool WriteDetached(IRegKey& deviceKey);

    IMirrorPlatform& m_platform;
    IRegistry& m_registry;
};

}  // namespace callenv
