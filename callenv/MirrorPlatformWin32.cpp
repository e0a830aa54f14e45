#include "callenv/MirrorPlatformWin32.h"

#include <cstring>

namespace callenv {

namespace {
// The short form of the device record: cb, DeviceName, DeviceString, StateFlags.
constexpr DWORD kShortDisplayDeviceSize = 168;
static_assert(offsetof(DISPLAY_DEVICEA, DeviceID) == kShortDisplayDeviceSize);
}  // namespace

void CMirrorPlatformWin32::SendEscape(int escape) {
    HDC screen = ::GetDC(nullptr);
    ::ExtEscape(screen, escape, 0, nullptr, 0, nullptr);
    ::ReleaseDC(nullptr, screen);
}

MirrorMode CMirrorPlatformWin32::CurrentMode() {
    DEVMODEA current{};
    current.dmSize = sizeof current;
    MirrorMode mode;
    if (::EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &current)) {
        mode.width = current.dmPelsWidth;
        mode.height = current.dmPelsHeight;
        mode.bitsPerPel = current.dmBitsPerPel;
    }
    return mode;
}

bool CMirrorPlatformWin32::LoadDisplayLibrary() {
    m_user32 = ::LoadLibraryA("USER32");
    if (!m_user32) return false;
    m_enumDevices = reinterpret_cast<EnumDisplayDevicesFn>(
        reinterpret_cast<void*>(::GetProcAddress(m_user32, "EnumDisplayDevicesA")));
    m_changeSettings = reinterpret_cast<ChangeDisplaySettingsExFn>(
        reinterpret_cast<void*>(::GetProcAddress(m_user32, "ChangeDisplaySettingsExA")));
    return true;
}

void CMirrorPlatformWin32::FreeDisplayLibrary() {
    if (m_user32) ::FreeLibrary(m_user32);
    m_user32 = nullptr;
    m_enumDevices = nullptr;
    m_changeSettings = nullptr;
}

bool CMirrorPlatformWin32::EnumDisplayDevice(uint32_t index, DisplayDeviceInfo& device) {
    if (!m_enumDevices) return false;
    DISPLAY_DEVICEA record{};
    record.cb = kShortDisplayDeviceSize;
    if (!m_enumDevices(nullptr, index, &record, 0)) return false;
    device.deviceName.assign(record.DeviceName, strnlen(record.DeviceName, sizeof record.DeviceName));
    device.deviceString.assign(record.DeviceString,
                               strnlen(record.DeviceString, sizeof record.DeviceString));
    device.stateFlags = record.StateFlags;
    return true;
}

long CMirrorPlatformWin32::ApplyDisplayMode(const std::string& deviceName,
                                                 const MirrorMode& mode, uint32_t flags) {
    if (!m_changeSettings) return DISP_CHANGE_FAILED;
    DEVMODEA record{};
    record.dmSize = sizeof record;
    record.dmDriverExtra = 0;
    record.dmFields = mode.fields;
    record.dmPelsWidth = mode.width;
    record.dmPelsHeight = mode.height;
    record.dmBitsPerPel = mode.bitsPerPel;
    std::strncpy(reinterpret_cast<char*>(record.dmDeviceName), mode.deviceName.c_str(),
                 sizeof record.dmDeviceName - 1);
    return m_changeSettings(deviceName.c_str(), &record, nullptr, flags, nullptr);
}

DesktopSwitch CMirrorPlatformWin32::EnterInputDesktop() {
    m_formerDesktop = ::GetThreadDesktop(::GetCurrentThreadId());
    if (!m_formerDesktop) return DesktopSwitch::NoThreadDesktop;
    m_inputDesktop = ::OpenInputDesktop(0, FALSE, MAXIMUM_ALLOWED);
    if (!m_inputDesktop) return DesktopSwitch::InputDesktopUnavailable;
    ::SetThreadDesktop(m_inputDesktop);
    return DesktopSwitch::Switched;
}

void CMirrorPlatformWin32::LeaveInputDesktop() {
    if (m_formerDesktop) ::SetThreadDesktop(m_formerDesktop);
    if (m_inputDesktop) ::CloseDesktop(m_inputDesktop);
    m_formerDesktop = nullptr;
    m_inputDesktop = nullptr;
}

void CMirrorPlatformWin32::Beep(uint32_t frequency, uint32_t durationMs) {
    ::Beep(frequency, durationMs);
}

void CMirrorPlatformWin32::CloseSharedHandle(void* handle) {
    ::CloseHandle(handle);
}

}  // namespace callenv
