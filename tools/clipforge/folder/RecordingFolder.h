// The recordings of an output folder as the converter lists them: AVI files,
// newest first, with their size, whether their MP4 exists already and the
// edits kept beside them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "editing/EditFile.h"

namespace clipforge {

struct RecordingEntry {
    std::string name;  // UTF-8, as every path here
    std::string path;
    std::string mp4;   // where its MP4 goes
    uint64_t bytes = 0;
    int64_t modified = 0;  // for the order only
    bool hasMp4 = false;
    editfile::RecordingEdits edits;  // from its edit file; neutral when none
};

std::vector<RecordingEntry> ListRecordings(const std::string& folder);

// Removes what killed conversions left beside the recordings of `folder`:
// each recording's own temporary MP4 name, nothing else. One still being
// written by a running conversion is held open and stays. Returns how many went.
int RemoveStaleParts(const std::string& folder);

// The recording's length in seconds from its header, and what of it the
// trim of `edits` keeps; negative when it cannot be read.
struct RecordingLength {
    double full = -1, kept = -1;
};
RecordingLength LengthOf(const std::string& path, const editfile::RecordingEdits& edits);

}  // namespace clipforge
