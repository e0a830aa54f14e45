// Signed coordinates packed into a message parameter (what windowsx.h's
// GET_X_LPARAM does; that header's macros clash with the framework's names).
#pragma once

#include <windows.h>

inline int PointX(LPARAM packed) {
    return static_cast<short>(LOWORD(packed));
}

inline int PointY(LPARAM packed) {
    return static_cast<short>(HIWORD(packed));
}

inline POINT PointOf(LPARAM packed) {
    return {PointX(packed), PointY(packed)};
}
