// Converts one recording (AVI: MP43 video, 48 kHz stereo PCM) into an MP4 that
// plays everywhere: H.264 video at the recording's size and timing, AAC audio
// with both channels as they were, the index at the front.
//
// The MP4 is written under a temporary name beside the output and renamed
// only when complete; the recording itself is only ever read.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

#include "editing/EditFile.h"
#include "settings/ConvertChoice.h"

namespace clipforge {

enum class ConvertStatus {
    Done,
    Partial,        // the recording is cut off or damaged: what could be read is in the MP4
    Cancelled,
    OutputExists,   // and overwriting was not allowed
    NotARecording,  // nothing a converter can read
    ReadFailed,
    WriteFailed,
    DiskFull,
    SizeRefused,    // pictures of a size the encoder does not take
    NothingKept,    // the trim starts at or after the recording's end
};

struct ConvertRequest {
    std::string input;   // paths in UTF-8
    std::string output;
    bool overwrite = false;
    const std::atomic<bool>* cancel = nullptr;
    // Seconds of the recording converted so far, and its length (of the
    // part the trim keeps).
    std::function<void(double done, double total)> progress;
    // What to apply: the recording's edits (neutral: none) and the
    // recorder's output settings (the default: as recorded, ClipForge's
    // own quality).
    editfile::RecordingEdits edits;
    settings::ConvertChoice choice;
};

struct ConvertResult {
    ConvertStatus status = ConvertStatus::WriteFailed;
    std::string message;  // for the user: what happened, in one or two sentences
    int64_t pictures = 0;
    double seconds = 0;   // length of the MP4
    std::string applied;  // the edits applied ("trim ..., volume 50%"); empty: none
};

ConvertResult ConvertRecording(const ConvertRequest& request);

// The edits of the recording at `path` (UTF-8), from the edit file beside
// it; neutral when there is none.
editfile::RecordingEdits ReadEditsOf(const std::string& path);

// The MP4 beside a recording: the same name with ".mp4" instead of its extension.
std::string Mp4NameFor(const std::string& recording);
// Where a conversion writes before the MP4 is complete.
std::string PartialNameFor(const std::string& output);

}  // namespace clipforge
