// A table of cursor pictures shared by every process the hook runs in. A
// process publishes the cursors it sets; the watcher rebuilds from it the
// cursors whose handles it cannot use itself.
#pragma once

#include <windows.h>

#include "tools/mousetap/CursorShape.h"

namespace shapes {

// Stores the picture of `cursor` (a handle of the calling process).
bool Publish(HCURSOR cursor, const CursorShape& shape);
// Finds the picture published for `cursor`.
bool Find(HCURSOR cursor, CursorShape& shape);

}  // namespace shapes
