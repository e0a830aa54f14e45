// The trim dialog's rules against worked values: time texts, typed start and
// end times with their refusals and clamping, markers, reset and what OK
// stores; and a recording whose length is unknown.
#include <gtest/gtest.h>

#include <cmath>

#include "editing/DecimalTruncate.h"
#include "recordings/ClipList.h"
#include "editing/TrimRules.h"

namespace {

ClipRecord Recording(double seconds, double start = 0, double end = 1) {
    ClipRecord clip;
    SetClipMedia(clip, seconds);
    clip.startFraction = start;
    clip.endFraction = end;
    return clip;
}

TEST(TrimRules, TimeTextsRoundTripAndBadTextReadsAsZeroFields) {
    EXPECT_EQ(trim::FormatTime(125), "00:02:05");
    EXPECT_EQ(trim::FormatTime(3661.9), "01:01:01");
    EXPECT_EQ(trim::FormatTime(-3), "00:00:00");
    EXPECT_EQ(trim::FormatTime(NAN), "00:00:00");
    EXPECT_EQ(trim::ParseTime("01:01:01"), 3661);
    EXPECT_EQ(trim::ParseTime("00:03:00"), 180);
    // Fields after one that does not read stay 0.
    EXPECT_EQ(trim::ParseTime("00:0_:30"), 0);
    EXPECT_EQ(trim::ParseTime("02:xx:30"), 7200);
    EXPECT_EQ(trim::ParseTime(""), 0);
    EXPECT_EQ(trim::ParseTime("__:__:__"), 0);
}

TEST(TrimRules, TypedTimesAreClampedOrRefusedAsTheDialogShowsThem) {
    trim::TrimRange range = trim::LoadRange(Recording(125));
    EXPECT_EQ(range.durationText, "00:02:05");
    EXPECT_EQ(range.endText, "00:02:05");

    // An end past the duration becomes the duration, without complaint.
    EXPECT_EQ(trim::AcceptEnd(range, "00:03:00"), trim::Verdict::Accepted);
    EXPECT_EQ(range.endText, "00:02:05");
    EXPECT_EQ(range.endFraction, 1.0);
    EXPECT_EQ(range.endTime, 125);

    EXPECT_EQ(trim::AcceptEnd(range, "00:00:30"), trim::Verdict::Accepted);
    EXPECT_EQ(range.EndMarker(), 24);  // 30 / 125
    EXPECT_EQ(range.lengthText, "00:00:30");

    // A start after the end goes back to 0, and the length follows it.
    EXPECT_EQ(trim::AcceptStart(range, "00:01:00"), trim::Verdict::Refused);
    EXPECT_EQ(range.startText, "00:00:00");
    EXPECT_EQ(range.startFraction, 0);
    EXPECT_EQ(range.lengthText, "00:00:30");

    EXPECT_EQ(trim::AcceptStart(range, "00:00:10"), trim::Verdict::Accepted);
    EXPECT_EQ(range.StartMarker(), 8);
    EXPECT_EQ(range.lengthText, "00:00:20");
    // An end equal to the start is refused and returns to the full length.
    EXPECT_EQ(trim::AcceptEnd(range, "00:00:10"), trim::Verdict::Refused);
    EXPECT_EQ(range.endText, "00:02:05");
    EXPECT_EQ(range.endFraction, 1.0);
    EXPECT_EQ(range.lengthText, "00:01:55");
    // And a start equal to the end likewise.
    EXPECT_EQ(trim::AcceptStart(range, "00:02:05"), trim::Verdict::Refused);
    EXPECT_EQ(range.startFraction, 0);
}

TEST(TrimRules, MarkersResetAndOkStoreScaleIntoTheRecordsRange) {
    ClipRecord clip = Recording(200, 0.1, 0.9);
    trim::TrimRange range = trim::LoadRange(clip);
    EXPECT_EQ(range.startText, "00:00:20");
    EXPECT_EQ(range.StartMarker(), 10);
    EXPECT_EQ(range.EndMarker(), 90);

    trim::MoveStartMarker(range, 25);
    EXPECT_EQ(range.startText, "00:00:50");
    EXPECT_EQ(range.length, 180 - 50);
    trim::MoveEndMarker(range, 60);
    EXPECT_EQ(range.endText, "00:02:00");
    EXPECT_EQ(range.lengthText, "00:01:10");

    // Reset returns to what the record held, not to the whole recording.
    trim::Reset(range);
    EXPECT_EQ(range.startFraction, 0.1);
    EXPECT_EQ(range.endFraction, 0.9);
    EXPECT_EQ(range.lengthText, "00:02:40");
    EXPECT_EQ(clip.trimStart, 0);  // nothing stored before OK

    clip.fullRangeStart = 0;
    clip.fullRangeEnd = 1000;
    range.startFraction = 0.25;
    range.endFraction = 0.5;
    range.length = 50;
    range.lengthText = "00:00:50";
    trim::Store(range, clip);
    EXPECT_EQ(clip.trimStart, 250);
    EXPECT_EQ(clip.trimEnd, 500);
    EXPECT_EQ(clip.startFraction, 0.25);
    EXPECT_EQ(clip.endFraction, 0.5);
    EXPECT_EQ(clip.selectedLength, 50);
    EXPECT_EQ(clip.selectedLengthText, "00:00:50");
    // Opening again shows what was stored.
    EXPECT_EQ(trim::LoadRange(clip).StartMarker(), 25);
}

TEST(TrimRules, ExactDecimalTimesAndMarkersAreNeverTruncatedOneBelow) {
    // 3 s of 10 is 0.3, held as 0.29999999999999998890: × 100 on the x87
    // unit truncated to 29, and 0.29 × 100 gives 28.999999999999996 on any.
    ClipRecord clip = Recording(10);
    trim::TrimRange range = trim::LoadRange(clip);
    ASSERT_EQ(trim::AcceptStart(range, "00:00:03"), trim::Verdict::Accepted);
    ASSERT_EQ(trim::AcceptEnd(range, "00:00:07"), trim::Verdict::Accepted);
    EXPECT_EQ(range.StartMarker(), 30);
    EXPECT_EQ(range.EndMarker(), 70);
    trim::Store(range, clip);
    EXPECT_EQ(clip.trimStart, 3000);
    EXPECT_EQ(clip.trimEnd, 7000);

    for (int marker = 0; marker <= 100; ++marker) {
        trim::MoveStartMarker(range, marker);
        trim::MoveEndMarker(range, marker);
        EXPECT_EQ(range.StartMarker(), marker);
        EXPECT_EQ(range.EndMarker(), marker);
    }
    // Every whole second typed into recordings of a few lengths lands on the
    // marker and the millisecond that whole-number arithmetic gives.
    for (int seconds : {7, 10, 13, 60, 125}) {
        ClipRecord record = Recording(seconds);
        for (int typed = 1; typed < seconds; ++typed) {
            trim::TrimRange r = trim::LoadRange(record);
            ASSERT_EQ(trim::AcceptStart(r, trim::FormatTime(typed)), trim::Verdict::Accepted);
            EXPECT_EQ(r.StartMarker(), typed * 100 / seconds) << typed << " of " << seconds;
            trim::Store(r, record);
            EXPECT_EQ(record.trimStart, typed * 1000) << typed << " of " << seconds;
        }
    }
    // Values truly below a whole number still truncate; nonsense stays in range.
    EXPECT_EQ(TruncateDecimal(2.0 / 3.0 * 100), 66);
    EXPECT_EQ(TruncateDecimal(29.9999), 29);
    EXPECT_EQ(TruncateDecimal(-0.5), 0);
    EXPECT_EQ(TruncateDecimal(std::nan("")), 0);
    EXPECT_EQ(TruncateDecimal(1e300), 2147483647);
}

TEST(TrimRules, ARecordingOfUnknownLengthRefusesTypedTimesAndStaysFinite) {
    ClipRecord clip;  // as listed before its file could be read
    clip.durationText = "00:00:00";
    trim::TrimRange range = trim::LoadRange(clip);
    EXPECT_FALSE(range.HasDuration());
    EXPECT_EQ(trim::AcceptStart(range, "00:00:10"), trim::Verdict::NoDuration);
    EXPECT_EQ(trim::AcceptEnd(range, "00:00:20"), trim::Verdict::NoDuration);
    trim::MoveStartMarker(range, 30);
    trim::MoveEndMarker(range, 60);
    for (double value : {range.startFraction, range.endFraction, range.startTime, range.endTime,
                         range.length})
        EXPECT_TRUE(std::isfinite(value));
    EXPECT_EQ(range.startText, "00:00:00");
    clip.fullRangeEnd = 1000;
    trim::Store(range, clip);
    EXPECT_EQ(clip.trimStart, 300);
    EXPECT_EQ(clip.trimEnd, 600);
}

}  // namespace
