// The rectangle a call recording captures: the conversation window's
// rectangle checked against the screen, with the fallback of the parameters.
#pragma once

#include "engine/RecordParams.h"
#include "engine/ScreenRect.h"

// `window` is the window's rectangle with right and bottom taken as the last
// pixel; `found` is false when there is no conversation window. Updates
// RegionWidth and RegionHeight of `params`.
ScreenRect ChooseCallCaptureRect(bool found, const ScreenRect& window, CRecordParams& params);

// Swaps left/right and top/bottom when they are reversed.
ScreenRect Normalized(ScreenRect rect);
