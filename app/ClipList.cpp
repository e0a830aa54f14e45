#include "app/ClipList.h"

#include <algorithm>
#include <cmath>

#include "app/ElapsedTime.h"

void SetClipMedia(ClipRecord& clip, double durationSeconds) {
    const double duration = std::isfinite(durationSeconds) && durationSeconds > 0 ? durationSeconds : 0;
    clip.duration = duration;
    clip.durationText = FormatElapsed(static_cast<int32_t>(duration));
    clip.fullRangeStart = 0;
    clip.fullRangeEnd = static_cast<int32_t>(std::min(duration * 1000.0, 2147483647.0));
    clip.startFraction = 0;
    clip.endFraction = 1;
    clip.cropLeft = 0;
    clip.cropTop = 0;
    clip.cropRight = 320;
    clip.cropBottom = 240;
    clip.contrast = 100;
    clip.volume = 100;
    clip.mediaRead = true;
}

void RemoveClipRun(ClipList& clips, int first, int count) {
    if (first < 0 || count <= 0 || first >= static_cast<int>(clips.size())) return;
    int last = std::min(first + count, static_cast<int>(clips.size()));
    clips.erase(clips.begin() + first, clips.begin() + last);
}
