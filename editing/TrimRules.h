// The trim dialog's rules without a window: time texts, the chosen range as
// fractions of the recording's duration, what typed times and moved markers
// do to it, and what OK stores into the recording's record.
#pragma once

#include <string>

#include "recordings/ClipList.h"

namespace trim {

// "%02d:%02d:%02d" of whole hours, minutes and seconds.
std::string FormatTime(double seconds);
// hours × 3600 + minutes × 60 + seconds of "hh:mm:ss"; a field that does not
// read counts 0, and so do the fields after it.
double ParseTime(const std::string& text);

struct TrimRange {
    double duration = 0;  // seconds
    std::string durationText;
    double startFraction = 0, endFraction = 0;
    double startTime = 0, endTime = 0, length = 0;
    std::string startText = "00:00:00", endText = "00:00:00", lengthText = "00:00:00";
    // The fractions the record held when the dialog opened: what Reset returns to.
    double savedStartFraction = 0, savedEndFraction = 0;

    // Whether times can be turned into fractions at all: a recording whose
    // length could not be read has none.
    bool HasDuration() const;
    int StartMarker() const;  // the fractions × 100, truncated
    int EndMarker() const;
};

// The range the record holds.
TrimRange LoadRange(const ClipRecord& clip);

enum class Verdict {
    Accepted,
    Refused,      // start at or after the end: the message box
    NoDuration,   // nothing to measure the time against: nothing changes
};

// The typed start (start OK) and the typed end (end OK). A refused start
// goes back to 0, a refused end to the full duration; an end beyond the
// duration is clamped to it without complaint.
Verdict AcceptStart(TrimRange& range, const std::string& typed);
Verdict AcceptEnd(TrimRange& range, const std::string& typed);
// A marker moved to `marker` percent; not checked against the other end.
void MoveStartMarker(TrimRange& range, int marker);
void MoveEndMarker(TrimRange& range, int marker);
// Back to the range the record held when the dialog opened.
void Reset(TrimRange& range);
// OK: the range into the record, the trim points scaled into its full range.
void Store(const TrimRange& range, ClipRecord& clip);

}  // namespace trim
