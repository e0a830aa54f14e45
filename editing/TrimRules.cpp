#include "editing/TrimRules.h"

#include <cinttypes>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>

#include "editing/DecimalTruncate.h"

namespace trim {

namespace {

// Times from fractions of the duration, and their texts.
void Recompute(TrimRange& range) {
    range.startTime = range.duration * range.startFraction;
    range.endTime = range.duration * range.endFraction;
    range.length = range.endTime - range.startTime;
    range.startText = FormatTime(range.startTime);
    range.endText = FormatTime(range.endTime);
    range.lengthText = FormatTime(range.length);
}

void UpdateLength(TrimRange& range) {
    range.length = range.endTime - range.startTime;
    range.lengthText = FormatTime(range.length);
}

}  // namespace

std::string FormatTime(double seconds) {
    // Nothing sensible to show for a negative or unreadable time.
    if (!(seconds > 0) || !std::isfinite(seconds)) seconds = 0;
    const auto hours = static_cast<int64_t>(seconds / 3600);
    const double rest = seconds - static_cast<double>(hours) * 3600;
    const auto minutes = static_cast<int64_t>(rest / 60);
    const auto secs = static_cast<int64_t>(rest - static_cast<double>(minutes) * 60);
    char text[64];
    std::snprintf(text, sizeof text, "%02" PRId64 ":%02" PRId64 ":%02" PRId64, hours, minutes, secs);
    return text;
}

double ParseTime(const std::string& text) {
    // Digits, a colon, digits, a colon, digits; reading stops at the first
    // field that has no digit, leaving it and the rest at 0.
    double fields[3] = {0, 0, 0};
    size_t at = 0;
    for (int i = 0; i < 3; ++i) {
        if (i > 0 && (at >= text.size() || text[at++] != ':')) break;
        while (at < text.size() && text[at] == ' ') ++at;
        const size_t first = at;
        while (at < text.size() && text[at] >= '0' && text[at] <= '9' && at - first < 9)
            fields[i] = fields[i] * 10 + (text[at++] - '0');
        if (at == first) break;
    }
    return fields[0] * 3600 + fields[1] * 60 + fields[2];
}

bool TrimRange::HasDuration() const {
    return std::isfinite(duration) && duration > 0;
}

int TrimRange::StartMarker() const {
    return TruncateDecimal(startFraction * 100);
}

int TrimRange::EndMarker() const {
    return TruncateDecimal(endFraction * 100);
}

TrimRange LoadRange(const ClipRecord& clip) {
    TrimRange range;
    range.duration = clip.duration;
    range.durationText = clip.durationText.empty() ? FormatTime(clip.duration) : clip.durationText;
    range.startFraction = range.savedStartFraction = clip.startFraction;
    range.endFraction = range.savedEndFraction = clip.endFraction;
    Recompute(range);
    return range;
}

Verdict AcceptStart(TrimRange& range, const std::string& typed) {
    if (!range.HasDuration()) return Verdict::NoDuration;
    range.startTime = ParseTime(typed);
    range.startFraction = range.startTime / range.duration;
    range.startText = FormatTime(range.startTime);
    const bool refused = range.startFraction >= range.endFraction;
    if (refused) {
        range.startText = "00:00:00";
        range.startTime = 0;
        range.startFraction = 0;
    }
    // Also after a refusal: the length shown belongs to the start shown.
    UpdateLength(range);
    return refused ? Verdict::Refused : Verdict::Accepted;
}

Verdict AcceptEnd(TrimRange& range, const std::string& typed) {
    if (!range.HasDuration()) return Verdict::NoDuration;
    range.endTime = ParseTime(typed);
    range.endFraction = range.endTime / range.duration;
    range.endText = FormatTime(range.endTime);
    if (range.endFraction > 1.0) {
        range.endFraction = 1.0;
        range.endText = range.durationText;
        range.endTime = ParseTime(range.endText);
    }
    const bool refused = range.startFraction >= range.endFraction;
    if (refused) {
        range.endText = range.durationText;
        range.endTime = range.duration;
        range.endFraction = 1.0;
    }
    UpdateLength(range);
    return refused ? Verdict::Refused : Verdict::Accepted;
}

void MoveStartMarker(TrimRange& range, int marker) {
    range.startFraction = marker / 100.0;
    range.startTime = range.startFraction * range.duration;
    range.startText = FormatTime(range.startTime);
    UpdateLength(range);
}

void MoveEndMarker(TrimRange& range, int marker) {
    range.endFraction = marker / 100.0;
    range.endTime = range.endFraction * range.duration;
    range.endText = FormatTime(range.endTime);
    UpdateLength(range);
}

void Reset(TrimRange& range) {
    range.startFraction = range.savedStartFraction;
    range.endFraction = range.savedEndFraction;
    Recompute(range);
}

void Store(const TrimRange& range, ClipRecord& clip) {
    const double s = clip.fullRangeStart, e = clip.fullRangeEnd;
    clip.trimStart = TruncateDecimal(s + (e - s) * range.startFraction);
    clip.trimEnd = TruncateDecimal(s + (e - s) * range.endFraction);
    clip.selectedLength = range.length;
    clip.selectedLengthText = range.lengthText;
    clip.startFraction = range.startFraction;
    clip.endFraction = range.endFraction;
}

}  // namespace trim
