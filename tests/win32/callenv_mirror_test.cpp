// The mirror driver release on a system without the driver: the real display
// and registry layers, watched by thin recorders.
#include <gtest/gtest.h>

#include <windows.h>

#include "callenv/MirrorDriver.h"
#include "callenv/MirrorPlatformWin32.h"
#include "callenv/Win32Registry.h"

namespace {

using namespace callenv;

class WatchedPlatform final : public IMirrorPlatform {
public:
    std::vector<std::string> calls;
    uint32_t devicesListed = 0;

    void SendEscape(int escape) override {
        calls.push_back("escape " + std::to_string(escape));
        m_real.SendEscape(escape);
    }
    MirrorMode CurrentMode() override {
        calls.push_back("mode");
        return m_real.CurrentMode();
    }
    bool LoadDisplayLibrary() override {
        calls.push_back("load");
        return m_real.LoadDisplayLibrary();
    }
    bool HasEnumDisplayDevices() override { return m_real.HasEnumDisplayDevices(); }
    bool HasApplyDisplayMode() override { return m_real.HasApplyDisplayMode(); }
    void FreeDisplayLibrary() override {
        calls.push_back("free");
        m_real.FreeDisplayLibrary();
    }
    bool EnumDisplayDevice(uint32_t index, DisplayDeviceInfo& device) override {
        const bool ok = m_real.EnumDisplayDevice(index, device);
        devicesListed += ok;
        return ok;
    }
    long ApplyDisplayMode(const std::string& name, const MirrorMode& mode, uint32_t flags) override {
        calls.push_back("change");
        return m_real.ApplyDisplayMode(name, mode, flags);
    }
    DesktopSwitch EnterInputDesktop() override {
        calls.push_back("enter desktop");
        return m_real.EnterInputDesktop();
    }
    void LeaveInputDesktop() override {
        calls.push_back("leave desktop");
        m_real.LeaveInputDesktop();
    }
    void Beep(uint32_t, uint32_t) override { calls.push_back("beep"); }
    void CloseSharedHandle(void* handle) override {
        calls.push_back("close shared");
        m_real.CloseSharedHandle(handle);
    }

private:
    CMirrorPlatformWin32 m_real;
};

class WatchedRegistry final : public IRegistry {
public:
    std::vector<std::string> calls;
    std::unique_ptr<IRegKey> Open(RegRoot root, const std::string& path, RegAccess access) override {
        calls.push_back("open " + path);
        return m_real.Open(root, path, access);
    }
    std::unique_ptr<IRegKey> Create(RegRoot root, const std::string& path) override {
        calls.push_back("create " + path);
        return m_real.Create(root, path);
    }

private:
    CWin32Registry m_real;
};

bool ProfileKeyExists() {
    HKEY key;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kMirrorProfileKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(key);
    return true;
}

TEST(MirrorReleaseOnWine, WithoutTheDriverOnlyTheEscapeIsSent) {
    ASSERT_FALSE(ProfileKeyExists());
    WatchedPlatform platform;
    WatchedRegistry registry;
    CMirrorDriver driver(platform, registry);
    driver.ReleaseMirror();

    EXPECT_EQ(platform.calls, (std::vector<std::string>{"escape 1031", "load", "free"}));
    EXPECT_GT(platform.devicesListed, 0u) << "the display devices were not looked at";
    EXPECT_TRUE(registry.calls.empty());
    EXPECT_FALSE(ProfileKeyExists());
    EXPECT_EQ(driver.Unmapped, 1);
}

TEST(MirrorReleaseOnWine, DisplayModeIsTheScreensCurrentOne) {
    CMirrorPlatformWin32 platform;
    const MirrorMode mode = platform.CurrentMode();
    EXPECT_EQ(mode.width, static_cast<uint32_t>(::GetSystemMetrics(SM_CXSCREEN)));
    EXPECT_EQ(mode.height, static_cast<uint32_t>(::GetSystemMetrics(SM_CYSCREEN)));
    HDC screen = ::GetDC(nullptr);
    EXPECT_EQ(mode.bitsPerPel, static_cast<uint32_t>(::GetDeviceCaps(screen, BITSPIXEL)));
    ::ReleaseDC(nullptr, screen);
    EXPECT_NE(mode.width, 0u);
}

}  // namespace
