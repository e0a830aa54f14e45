#include "app/ClipList.h"

#include <algorithm>

void RemoveClipRun(ClipList& clips, int first, int count) {
    if (first < 0 || count <= 0 || first >= static_cast<int>(clips.size())) return;
    int last = std::min(first + count, static_cast<int>(clips.size()));
    clips.erase(clips.begin() + first, clips.begin() + last);
}
