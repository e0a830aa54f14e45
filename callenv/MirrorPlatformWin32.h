// The mirror release's display side on the real system.
#pragma once

#include <windows.h>

#include "callenv/MirrorDriver.h"

namespace callenv {

class CMirrorPlatformWin32 final : public IMirrorPlatform {
public:
    void SendEscape(int escape) override;
    MirrorMode CurrentMode() override;
    bool LoadDisplayLibrary() override;
    bool HasEnumDisplayDevices() override { return m_enumDevices != nullptr; }
    bool HasApplyDisplayMode() override { return m_changeSettings != nullptr; }
    void FreeDisplayLibrary() override;
    bool EnumDisplayDevice(uint32_t index, DisplayDeviceInfo& device) override;
    long ApplyDisplayMode(const std::string& deviceName, const MirrorMode& mode,
                               uint32_t flags) override;
    DesktopSwitch EnterInputDesktop() override;
    void LeaveInputDesktop() override;
    void Beep(uint32_t frequency, uint32_t durationMs) override;
    void CloseSharedHandle(void* handle) override;

private:
    using EnumDisplayDevicesFn = BOOL(WINAPI*)(LPCSTR, DWORD, PDISPLAY_DEVICEA, DWORD);
    using ChangeDisplaySettingsExFn = LONG(WINAPI*)(LPCSTR, LPDEVMODEA, HWND, DWORD, LPVOID);

    HMODULE m_user32 = nullptr;
    EnumDisplayDevicesFn m_enumDevices = nullptr;
    ChangeDisplaySettingsExFn m_changeSettings = nullptr;
    HDESK m_formerDesktop = nullptr;
    HDESK m_inputDesktop = nullptr;
};

}  // namespace callenv
