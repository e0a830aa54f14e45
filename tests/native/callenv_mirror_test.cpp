// The mirror driver's exit sequence against a display layer that records
// what it is asked and a registry in memory.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "callenv/MirrorDriver.h"
#include "tests/native/MemoryRegistry.h"

namespace {

using namespace callenv;
using testreg::MemoryRegistry;

const std::string kDeviceKey = std::string(kMirrorProfileKey) + "\\DEVICE0";

class FakeDisplay final : public IMirrorPlatform {
public:
    std::vector<DisplayDeviceInfo> devices{{"\\\\.\\DISPLAY1", "Primary adapter", 0x5}};
    MirrorMode current{0, 1280, 1024, 24, ""};
    bool libraryLoads = true, hasEnum = true, hasChange = true;
    DesktopSwitch desktop = DesktopSwitch::Switched;
    std::vector<std::string> calls;
    std::vector<std::pair<std::string, MirrorMode>> changes;
    int libraryRefs = 0;
    std::function<void()> onChange;

    void SendEscape(int escape) override { calls.push_back("escape " + std::to_string(escape)); }
    MirrorMode CurrentMode() override { return current; }
    bool LoadDisplayLibrary() override {
        calls.push_back("load");
        if (libraryLoads) ++libraryRefs;
        return libraryLoads;
    }
    bool HasEnumDisplayDevices() override { return hasEnum; }
    bool HasApplyDisplayMode() override { return hasChange; }
    void FreeDisplayLibrary() override {
        calls.push_back("free");
        --libraryRefs;
    }
    bool EnumDisplayDevice(uint32_t index, DisplayDeviceInfo& device) override {
        if (index >= devices.size()) return false;
        device = devices[index];
        return true;
    }
    long ApplyDisplayMode(const std::string& name, const MirrorMode& mode, uint32_t flags) override {
        calls.push_back("change " + std::to_string(flags));
        changes.push_back({name, mode});
        // Applying the zero-size mode takes the mirror off the desktop.
        if (flags == 0)
            for (auto& d : devices)
                if (d.deviceName == name) d.stateFlags &= ~kDisplayAttachedToDesktop;
        if (onChange) onChange();
        return 0;
    }
    DesktopSwitch EnterInputDesktop() override {
        calls.push_back("enter desktop");
        return desktop;
    }
    void LeaveInputDesktop() override { calls.push_back("leave desktop"); }
    void Beep(uint32_t frequency, uint32_t ms) override {
        calls.push_back("beep " + std::to_string(frequency) + " " + std::to_string(ms));
    }
    void CloseSharedHandle(void*) override { calls.push_back("close shared"); }

    void AddMirror(bool attached) {
        devices.push_back({"\\\\.\\DISPLAY2", kMirrorDeviceString, attached ? 0x1u : 0x0u});
    }
};

class MirrorRelease : public ::testing::Test {
protected:
    uint32_t AttachValue() {
        const auto* value = reg.Find(RegRoot::LocalMachine, kDeviceKey, kMirrorAttachValue);
        EXPECT_NE(value, nullptr);
        if (!value || value->data.size() != 4) return 0xFFFFFFFF;
        return value->data[0] | value->data[1] << 8 | value->data[2] << 16 | value->data[3] << 24;
    }

    FakeDisplay display;
    MemoryRegistry reg;
    CMirrorDriver driver{display, reg};
};

TEST_F(MirrorRelease, WithoutDriverOnlyTheEscapeIsSent) {
    driver.ReleaseMirror();
    EXPECT_EQ(display.calls, (std::vector<std::string>{"escape 1031", "load", "free"}));
    EXPECT_TRUE(reg.writes.empty());
    EXPECT_EQ(driver.Unmapped, 1);
    EXPECT_EQ(display.libraryRefs, 0);
}

TEST_F(MirrorRelease, InstalledButNotAttachedWritesNothing) {
    display.AddMirror(false);
    display.AddMirror(true);  // only the first device with the description counts
    driver.ReleaseMirror();
    EXPECT_TRUE(reg.writes.empty());
    EXPECT_TRUE(display.changes.empty());
    EXPECT_FALSE(reg.HasKey(RegRoot::LocalMachine, kMirrorProfileKey));
}

TEST_F(MirrorRelease, AttachedMirrorIsDetachedWithTheCurrentMode) {
    display.AddMirror(true);
    display.onChange = [&] { EXPECT_EQ(driver.ModeChanging, 1); };
    driver.ReleaseMirror();

    EXPECT_EQ(display.calls,
              (std::vector<std::string>{"escape 1031", "load", "free", "load", "enter desktop",
                                        "change 1", "change 0", "free", "leave desktop"}));
    ASSERT_EQ(display.changes.size(), 2u);
    for (const auto& [name, mode] : display.changes) {
        EXPECT_EQ(name, "\\\\.\\DISPLAY2");
        EXPECT_EQ(mode.deviceName, "vncdrv");
        EXPECT_EQ(mode.fields, 0x001C0000u);
        EXPECT_EQ(mode.width, 1280u);
        EXPECT_EQ(mode.height, 1024u);
        EXPECT_EQ(mode.bitsPerPel, 24u);
    }
    EXPECT_EQ(AttachValue(), 0u);
    EXPECT_EQ(reg.Find(RegRoot::LocalMachine, kDeviceKey, kMirrorAttachValue)->type, kRegDword);
    EXPECT_EQ(reg.writes.size(), 2u);  // before and after the change
    EXPECT_EQ(driver.ModeChanging, 0);
    EXPECT_FALSE(driver.IsMirrorAttached());
    EXPECT_EQ(display.libraryRefs, 0);
}

TEST_F(MirrorRelease, SharedHandleIsClosedFirst) {
    int handle = 0;
    driver.SharedHandle = &handle;
    driver.MirrorActive = 1;
    driver.Unmapped = 0;
    driver.ReleaseMirror();
    ASSERT_FALSE(display.calls.empty());
    EXPECT_EQ(display.calls[0], "close shared");
    EXPECT_EQ(driver.SharedHandle, nullptr);
    EXPECT_EQ(driver.MirrorActive, 0);
    EXPECT_EQ(driver.Unmapped, 1);
}

TEST_F(MirrorRelease, KeepAttachedSkipsTheDisplayChangeOnly) {
    display.AddMirror(true);
    driver.KeepAttached = 1;
    EXPECT_TRUE(driver.DetachMirror());
    EXPECT_TRUE(display.changes.empty());
    EXPECT_EQ(AttachValue(), 0u);
}

TEST_F(MirrorRelease, UnavailableInputDesktopBeepsAndGoesOn) {
    display.AddMirror(true);
    display.desktop = DesktopSwitch::InputDesktopUnavailable;
    driver.DetachMirror();
    EXPECT_NE(std::find(display.calls.begin(), display.calls.end(), "beep 1000 500"),
              display.calls.end());
    EXPECT_EQ(display.changes.size(), 2u);

    FakeDisplay noDesktop;
    noDesktop.AddMirror(true);
    noDesktop.desktop = DesktopSwitch::NoThreadDesktop;
    CMirrorDriver other(noDesktop, reg);
    other.DetachMirror();
    for (const auto& call : noDesktop.calls) EXPECT_EQ(call.find("beep"), std::string::npos);
    EXPECT_EQ(noDesktop.changes.size(), 2u);
}

TEST_F(MirrorRelease, MissingPiecesStopTheDetachCleanly) {
    display.AddMirror(true);
    display.hasChange = false;
    EXPECT_FALSE(driver.DetachMirror());
    EXPECT_TRUE(reg.writes.empty());
    EXPECT_EQ(display.libraryRefs, 0);

    display.hasChange = true;
    reg.denyCreate.insert("HKLM\\" + kDeviceKey);
    EXPECT_FALSE(driver.DetachMirror());
    EXPECT_TRUE(display.changes.empty());
    EXPECT_EQ(display.libraryRefs, 0);

    reg.denyCreate.clear();
    reg.denyWrite.insert("HKLM\\" + kDeviceKey);
    EXPECT_FALSE(driver.DetachMirror());
    EXPECT_TRUE(display.changes.empty());
    EXPECT_EQ(display.libraryRefs, 0);

    display.libraryLoads = false;
    reg.denyWrite.clear();
    EXPECT_FALSE(driver.IsMirrorAttached());
    EXPECT_FALSE(driver.DetachMirror());
    EXPECT_TRUE(display.changes.empty());
}

}  // namespace
