// The recordings made since the program started, in the order they were
// added. Nothing of it is saved.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ClipRecord {
    int32_t checked = 1;
    double duration = 0;  // seconds
    std::string durationText;
    int32_t fullRangeStart = 0, fullRangeEnd = 0;
    int32_t trimStart = 0, trimEnd = 0;
    double selectedLength = 0;
    std::string selectedLengthText;
    double startFraction = 0, endFraction = 0;
    int32_t cropLeft = 0, cropTop = 0, cropRight = 0, cropBottom = 0;
    int32_t cropMode = 0, zoomMode = 0;
    int32_t brightness = 0, contrast = 0, saturation = 0, volume = 0;
    int32_t effect = 0;
    std::string path;
    std::string fileName;
    // Whether the fields above that come from the file have been read; a
    // recording is listed before its file is closed.
    bool mediaRead = false;
};

using ClipList = std::vector<ClipRecord>;

// Fills what the editing dialogs need from the recording's length: duration
// and its text, the full range in milliseconds, the whole range selected, the
// crop of a 320 × 240 preview, contrast and volume at 100.
void SetClipMedia(ClipRecord& clip, double durationSeconds);

// Removes `count` entries starting at `first` (the list's first selected row
// and its number of selected rows). Out-of-range parts are ignored.
void RemoveClipRun(ClipList& clips, int first, int count);
