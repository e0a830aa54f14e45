#include "callenv/MirrorDriver.h"

namespace callenv {

namespace {
// Frees the display library on every way out of a step.
class DisplayLibrary {
public:
    explicit DisplayLibrary(IMirrorPlatform& platform)
        : m_platform(platform), m_loaded(platform.LoadDisplayLibrary()) {}
    ~DisplayLibrary() { Free(); }
    void Free() {
        if (m_loaded) m_platform.FreeDisplayLibrary();
        m_loaded = false;
    }
    DisplayLibrary(const DisplayLibrary&) = delete;
    DisplayLibrary& operator=(const DisplayLibrary&) = delete;
    bool Loaded() const { return m_loaded; }

private:
    IMirrorPlatform& m_platform;
    bool m_loaded;
};
}  // namespace

void CMirrorDriver::ReleaseMirror() {
    MirrorActive = 0;
    if (SharedHandle) {
        m_platform.CloseSharedHandle(SharedHandle);
        SharedHandle = nullptr;
    }
    UnmapMirror();
    if (IsMirrorAttached()) DetachMirror();
}

void CMirrorDriver::UnmapMirror() {
    MirrorActive = 0;
    m_platform.SendEscape(kMirrorUnmapEscape);
    Unmapped = 1;
}

bool CMirrorDriver::FindMirrorDevice(DisplayDeviceInfo& device) {
    for (uint32_t index = 0; m_platform.EnumDisplayDevice(index, device); ++index)
        if (device.deviceString == kMirrorDeviceString) return true;
    return false;
}

bool CMirrorDriver::IsMirrorAttached() {
    DisplayLibrary library(m_platform);
    if (!library.Loaded() || !m_platform.HasEnumDisplayDevices()) return false;
    DisplayDeviceInfo device;
    return FindMirrorDevice(device) && (device.stateFlags & kDisplayAttachedToDesktop);
}

bool CMirrorDriver::WriteDetached(IRegKey& deviceKey) {
    const uint32_t detached = 0;
    return deviceKey.SetValue(kMirrorAttachValue, kRegDword, &detached, sizeof detached);
}

bool CMirrorDriver::DetachMirror() {
    Unmapped = 1;
    MirrorMode mode = m_platform.CurrentMode();
    mode.fields = kModeFields;

    DisplayLibrary library(m_platform);
    if (!library.Loaded() || !m_platform.HasEnumDisplayDevices() ||
        !m_platform.HasApplyDisplayMode())
        return false;

    mode.deviceName.clear();
    DisplayDeviceInfo device;
    if (!FindMirrorDevice(device)) return false;

    // The keys close when they go out of scope, whichever way this ends.
    auto profileKey = m_registry.Create(RegRoot::LocalMachine, kMirrorProfileKey);
    if (!profileKey) return false;
    auto deviceKey = profileKey->CreateSubkey(kMirrorDeviceSubkey);
    if (!deviceKey) return false;
    if (!WriteDetached(*deviceKey)) return false;

    mode.deviceName = kMirrorDriverName;
    if (m_platform.EnterInputDesktop() == DesktopSwitch::InputDesktopUnavailable)
        m_platform.Beep(1000, 500);

    ModeChanging = 1;
    if (!KeepAttached) {
        m_platform.ApplyDisplayMode(device.deviceName, mode, kCdsUpdateRegistry);
        m_platform.ApplyDisplayMode(device.deviceName, mode, 0);
    }
    ModeChanging = 0;
    library.Free();
    m_platform.LeaveInputDesktop();

    return WriteDetached(*deviceKey);
}

}  // namespace callenv
