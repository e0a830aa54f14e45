// A table of cursor pictures shared by every process the hook runs in. A
// process publishes the cursors it sets; the watcher rebuilds from it the
// cursors whose handles it cannot use itself. Cursors are known by their
// process and handle: a handle value alone may be used again by another
// process once the first one has ended.
#pragma once

#include <windows.h>

#include "tools/mousetap/CursorShape.h"

namespace shapes {

struct CursorId {
    DWORD process = 0;
    HCURSOR cursor = nullptr;
    bool operator<(const CursorId& o) const {
        return process != o.process ? process < o.process : cursor < o.cursor;
    }
    bool operator==(const CursorId& o) const { return process == o.process && cursor == o.cursor; }
};

// Stores the picture of `cursor`, a handle of the calling process.
bool Publish(HCURSOR cursor, const CursorShape& shape);
// Whether a picture of the cursor is in the table.
bool Has(const CursorId& id);
// Finds the picture published for the cursor.
bool Find(const CursorId& id, CursorShape& shape);

// The calling process has just set `cursor`.
void Announce(HCURSOR cursor);
// The cursor some program set last, and a count that grows with every
// announcement (0: none yet).
LONG Latest(CursorId& id);

}  // namespace shapes
