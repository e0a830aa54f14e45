#include "recordings/ClipList.h"

#include <algorithm>
#include <cmath>

#include "recordings/ElapsedTime.h"

void SetClipMedia(ClipRecord& clip, double durationSeconds, int32_t width, int32_t height) {
    const double duration = std::isfinite(durationSeconds) && durationSeconds > 0 ? durationSeconds : 0;
    clip.duration = duration;
    clip.durationText = FormatElapsed(static_cast<int32_t>(duration));
    clip.fullRangeStart = 0;
    clip.fullRangeEnd = static_cast<int32_t>(std::min(duration * 1000.0, 2147483647.0));
    clip.startFraction = 0;
    clip.endFraction = 1;
    const bool picture = width > 0 && height > 0;
    clip.pictureWidth = picture ? width : 0;
    clip.pictureHeight = picture ? height : 0;
    clip.mediaRead = true;
}

namespace {

// The run RemoveClipRun takes out, as [first, last); empty when it takes none.
void RemovedRun(int first, int count, int size, int& from, int& to) {
    from = to = 0;
    if (first < 0 || count <= 0 || first >= size) return;
    from = first;
    to = first + std::min(count, size - first);
}

}  // namespace

void RemoveClipRun(ClipList& clips, int first, int count) {
    int from = 0, to = 0;
    RemovedRun(first, count, static_cast<int>(clips.size()), from, to);
    clips.erase(clips.begin() + from, clips.begin() + to);
}

int SelectionAfterRemoval(int selected, int first, int count, int size) {
    if (selected < 0 || selected >= size) return -1;
    int from = 0, to = 0;
    RemovedRun(first, count, size, from, to);
    if (selected < from) return selected;
    return selected < to ? -1 : selected - (to - from);
}
