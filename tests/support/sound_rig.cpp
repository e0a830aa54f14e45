#include "tests/support/sound_rig.h"

#include <windows.h>
#include <mmsystem.h>

#include <cstdio>

#include "tests/support/host_command.h"

namespace soundrig {

int WaveInIndex(const std::string& name) {
    UINT count = ::waveInGetNumDevs();
    for (UINT i = 0; i < count; ++i) {
        WAVEINCAPSA caps{};
        if (::waveInGetDevCapsA(i, &caps, sizeof caps) == MMSYSERR_NOERROR && name == caps.szPname)
            return static_cast<int>(i);
    }
    return -1;
}

bool StartTone(const char* sink, int frequency, double seconds) {
    char command[256];
    std::snprintf(command, sizeof command,
                  "(sox -q -n -r 48000 -c 2 -b 16 -t wav - synth %.2f sine %d vol 0.5 | "
                  "paplay --device=%s) >/dev/null 2>&1 &",
                  seconds, frequency, sink);
    return hostcmd::Run(command, 10000).finished;
}

}  // namespace soundrig
