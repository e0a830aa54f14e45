// Why the recording worker ended a recording by itself, and how much of it
// reached the file, so that the window can tell the user.
#pragma once

#include <cstdint>

enum class RecordFailure {
    None,           // the recording was stopped, nothing failed
    DiskFull,       // a write found no room on the volume
    WriteFailed,    // the file could not be created or written for another reason
    OutOfMemory,    // a frame or a buffer could not be allocated
    NoFileName,     // no new file could be created in the output folder
    EncoderFailed,  // the video encoder could not start or encode
    AreaTooSmall,   // the area holds no whole picture (under 4 x 4 pixels)
};

// The cause of a failed file operation from the C library's error number.
RecordFailure FailureFromFileError(int error);

struct RecordOutcome {
    RecordFailure failure = RecordFailure::None;
    // Length of the pictures in the file as written, in whole seconds.
    int32_t fileSeconds = 0;
};
