// The process-wide mirror driver release: built during static initialisation,
// its release runs during static destruction, after the windows are gone.
#pragma once

#include "callenv/MirrorDriver.h"

namespace callenv {

CMirrorDriver& TheMirrorDriver();

}  // namespace callenv
