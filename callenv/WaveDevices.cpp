#include "callenv/WaveDevices.h"

#include <windows.h>
#include <mmsystem.h>

namespace callenv {

bool WaveInName(unsigned index, std::string& productName) {
    WAVEINCAPSA caps{};
    if (::waveInGetDevCapsA(index, &caps, sizeof caps) != MMSYSERR_NOERROR) return false;
    productName.assign(caps.szPname, strnlen(caps.szPname, sizeof caps.szPname));
    return true;
}

bool WaveOutName(unsigned index, std::string& productName) {
    WAVEOUTCAPSA caps{};
    if (::waveOutGetDevCapsA(index, &caps, sizeof caps) != MMSYSERR_NOERROR) return false;
    productName.assign(caps.szPname, strnlen(caps.szPname, sizeof caps.szPname));
    return true;
}

}  // namespace callenv
