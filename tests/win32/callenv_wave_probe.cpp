// Writes "<substring index> <equality index> <wave-in count>" for the virtual
// capture device to the file named by the first argument.
#include <windows.h>
#include <mmsystem.h>

#include <cstdio>

#include "callenv/AudioRouter.h"

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    CAudioRouter router;
    const int substring = router.FindVirtualCaptureDevice(callenv::DeviceMatch::Substring);
    const int equality = router.FindVirtualCaptureDevice(callenv::DeviceMatch::Equality);
    std::FILE* out = std::fopen(argv[1], "w");
    if (!out) return 1;
    std::fprintf(out, "%d %d %u\n", substring, equality, ::waveInGetNumDevs());
    std::fclose(out);
    return 0;
}
