// A table of cursor pictures shared by every process the hook runs in. A
// process publishes the cursors it sets; the watcher rebuilds from it the
// cursors whose handles it cannot use itself.
#pragma once

#include <windows.h>

#include "tools/mousetap/CursorShape.h"

namespace shapes {

// Stores the picture of `cursor` (a handle of the calling process).
bool Publish(HCURSOR cursor, const CursorShape& shape);
// Whether a picture of `cursor` is in the table.
bool Has(HCURSOR cursor);
// Finds the picture published for `cursor`.
bool Find(HCURSOR cursor, CursorShape& shape);

// The cursor some program set last, with a count that grows with every
// announcement (0: none yet).
void Announce(HCURSOR cursor);
LONG Latest(HCURSOR& cursor);

}  // namespace shapes
