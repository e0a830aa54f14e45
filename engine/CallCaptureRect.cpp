#include "engine/CallCaptureRect.h"

#include <utility>

ScreenRect Normalized(ScreenRect rect) {
    if (rect.left > rect.right) std::swap(rect.left, rect.right);
    if (rect.top > rect.bottom) std::swap(rect.top, rect.bottom);
    return rect;
}

ScreenRect ChooseCallCaptureRect(bool found, const ScreenRect& window, CRecordParams& params) {
    ScreenRect rect = window;
    params.RegionWidth = rect.right + 1 - rect.left;
    params.RegionHeight = rect.bottom + 1 - rect.top;
    if (!found || params.RegionWidth < 0 || params.RegionHeight < 0 ||
        params.RegionWidth > params.ScreenWidth || params.RegionHeight > params.ScreenHeight) {
        params.RegionWidth = 320;
        params.RegionHeight = 240;
        rect.left = params.DefaultOriginX;
        rect.top = params.DefaultOriginY;
        rect.right = rect.left + 319;
        rect.bottom = rect.top + 239;
    }
    if (rect.top < 0) rect.top = 0;
    if (rect.left < 0) rect.left = 0;
    if (rect.right > params.ScreenWidth - 1) rect.right = params.ScreenWidth - 1;
    if (rect.bottom > params.ScreenHeight - 1) rect.bottom = params.ScreenHeight - 1;
    return Normalized(rect);
}
