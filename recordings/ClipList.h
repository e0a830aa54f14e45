// The recordings made since the program started, in the order they were
// added, each with its edit settings. Nothing of it is saved here.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "recordings/EditSettings.h"

struct ClipRecord {
    int32_t checked = 1;
    double duration = 0;  // seconds
    std::string durationText;
    // The full range and the trim points are in milliseconds.
    int32_t fullRangeStart = 0, fullRangeEnd = 0;
    int32_t trimStart = 0, trimEnd = 0;
    double selectedLength = 0;
    std::string selectedLengthText;
    double startFraction = 0, endFraction = 0;
    EditSettings edits;
    std::string path;
    std::string fileName;
    // The picture size read from the file; 0 × 0 for a file without pictures.
    int32_t pictureWidth = 0, pictureHeight = 0;
    // Whether the fields above that come from the file have been read; a
    // recording is listed before its file is closed.
    bool mediaRead = false;
};

using ClipList = std::vector<ClipRecord>;

// Fills what the editing dialogs need from the recording's file: duration
// and its text, the full range in milliseconds, the whole range selected,
// and the picture size.
void SetClipMedia(ClipRecord& clip, double durationSeconds, int32_t width = 0, int32_t height = 0);

// Removes `count` entries starting at `first` (the list's first selected row
// and its number of selected rows). Out-of-range parts are ignored.
void RemoveClipRun(ClipList& clips, int first, int count);

// Where a selected row is after RemoveClipRun(first, count) on a list of
// `size` entries: -1 when it was removed (or was none), else its new index.
int SelectionAfterRemoval(int selected, int first, int count, int size);
