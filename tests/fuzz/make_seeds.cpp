// Writes the fuzzer's seed recordings, small files of the kinds the program
// makes: MP43 with stereo sound, uncompressed pictures of an odd size, and
// eight-channel sound in one long chunk.
#include <cstdio>
#include <string>

#include "tests/playback/decoder_files.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seeds FOLDER\n");
        return 1;
    }
    const std::string folder = argv[1];
    RecordingPlan call;
    call.width = 32;
    call.height = 16;
    call.colours = {{200, 40, 40}, {40, 40, 200}};
    call.picturesPerColour = 3;
    call.smallHeader = true;
    call.toneHz = {440, 1000};
    call.audioSeconds = 0.01;
    RecordingPlan odd = call;
    odd.width = 7;
    odd.height = 5;
    odd.mp43 = false;
    odd.audioSeconds = 0.0;
    odd.channels = 1;
    odd.colours = {{40, 200, 60}};
    RecordingPlan eight = call;
    eight.width = 16;
    eight.channels = 8;
    eight.audioSeconds = 0.004;
    eight.audioChunks = 1;
    const bool ok = WriteRecording(folder + "/call.avi", call) &&
                    WriteRecording(folder + "/odd-raw.avi", odd) &&
                    WriteRecording(folder + "/eight-channels.avi", eight);
    return ok ? 0 : 1;
}
