// The pictures on the buttons, each drawn centred on (cx, cy) within a square
// of side `size`, in the ink colour; `accent` colours the record dots.
#pragma once

#include "skin/Canvas.h"

namespace skin::symbol {

void Camera(Canvas& c, float cx, float cy, float size, const Rgba& ink, const Rgba& accent);
void Region(Canvas& c, float cx, float cy, float size, const Rgba& ink, const Rgba& accent);
void RecordDot(Canvas& c, float cx, float cy, float size, const Rgba& accent);
void Stop(Canvas& c, float cx, float cy, float size, const Rgba& ink);
void Convert(Canvas& c, float cx, float cy, float size, const Rgba& ink);
void Home(Canvas& c, float cx, float cy, float size, const Rgba& ink);
void Minimise(Canvas& c, float cx, float cy, float size, const Rgba& ink);
void Cross(Canvas& c, float cx, float cy, float size, const Rgba& ink);
void Folder(Canvas& c, float cx, float cy, float size, const Rgba& ink);
void Play(Canvas& c, float cx, float cy, float size, const Rgba& ink);
void Pause(Canvas& c, float cx, float cy, float size, const Rgba& ink);
void SkipStart(Canvas& c, float cx, float cy, float size, const Rgba& ink);
void SkipEnd(Canvas& c, float cx, float cy, float size, const Rgba& ink);
void Backward(Canvas& c, float cx, float cy, float size, const Rgba& ink);
void Forward(Canvas& c, float cx, float cy, float size, const Rgba& ink);
void Crop(Canvas& c, float cx, float cy, float size, const Rgba& ink);
void Sparkle(Canvas& c, float cx, float cy, float size, const Rgba& ink);
void Trim(Canvas& c, float cx, float cy, float size, const Rgba& ink, const Rgba& accent);
void Snapshot(Canvas& c, float cx, float cy, float size, const Rgba& ink);
void Check(Canvas& c, float cx, float cy, float size, const Rgba& ink, float weight);
void Film(Canvas& c, float cx, float cy, float size, const Rgba& ink);

}  // namespace skin::symbol
