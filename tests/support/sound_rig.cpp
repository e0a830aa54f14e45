#include "tests/support/sound_rig.h"

#include <windows.h>
#include <mmsystem.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "tests/support/fixture_paths.h"
#include "tests/support/host_command.h"
#include "tests/support/ui_helpers.h"

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

std::vector<int16_t> RecordMonitor(const char* sink, double seconds) {
    const std::string folder = e2e::MakeScratchFolder("sound-rig");
    const std::string raw = folder + "\\monitor.raw";
    const std::string bytes = std::to_string(static_cast<long>(seconds * 192000));
    ui::RunHostPumping(std::string("parec -d ") + sink +
                           ".monitor --latency-msec=20 --raw --format=s16le --rate=48000 "
                           "--channels=2 2>/dev/null | head -c " + bytes + " > " +
                           hostcmd::ShellQuote(hostcmd::HostPath(raw)),
                       static_cast<unsigned>(seconds * 1000) + 30000);
    std::ifstream in(raw, std::ios::binary);
    std::vector<char> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    e2e::RemoveScratchFolder(folder);
    std::vector<int16_t> samples(data.size() / 2);
    std::copy(data.begin(), data.begin() + static_cast<long>(samples.size() * 2),
              reinterpret_cast<char*>(samples.data()));
    return samples;
}

}  // namespace soundrig
