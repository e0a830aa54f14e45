// The cursor that cursor_window.exe shows for "drawn": a 12 x 12 black square
// with the hot spot in its middle, unlike any system cursor.
#pragma once

#include <windows.h>

HCURSOR MakeSquareCursor();
