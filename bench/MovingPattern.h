// A window of moving pictures for the recording benchmark: a stand-in for a
// video call, so the encoder sees a changing picture rather than a still one.
#pragma once

#include <windows.h>

// Shows the pattern over (left, top, width, height) until the process ends.
int RunMovingPattern(int left, int top, int width, int height);
