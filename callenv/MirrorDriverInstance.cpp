#include "callenv/MirrorDriverInstance.h"

#include "callenv/MirrorPlatformWin32.h"
#include "callenv/Win32Registry.h"

namespace callenv {

namespace {

struct CMirrorDriverAtExit {
    CMirrorPlatformWin32 platform;
    CWin32Registry registry;
    CMirrorDriver driver{platform, registry};
    ~CMirrorDriverAtExit() { driver.ReleaseMirror(); }
};

CMirrorDriverAtExit g_mirrorDriver;

}  // namespace

CMirrorDriver& TheMirrorDriver() {
    return g_mirrorDriver.driver;
}

}  // namespace callenv
