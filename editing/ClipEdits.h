// What a recording's edit file holds, from its record in the list: the trim
// in milliseconds (from the chosen fractions of the duration), the crop rectangle taken from the 320 × 240 preview grid
// to source pixels (even sizes, none when it keeps the whole picture), the
// fit and the effects.
#pragma once

#include "editing/EditFile.h"
#include "recordings/ClipList.h"

editfile::RecordingEdits EditsOf(const ClipRecord& clip);
